#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>

#include "base/SmallFile.h"
#include "tests/support/Files.h"

using namespace zemora;
using Outcome = SmallFileRead::Outcome;

TEST(SmallFile, ReadsAPlainFileUpToTheLimitAndNothingElse)
{
    test::TempFolder folder;
    const std::string file = folder / "f";
    EXPECT_EQ(readSmallRegularFile(file, 4).outcome, Outcome::Missing);

    test::writeFile(file, "abcd");
    const SmallFileRead read = readSmallRegularFile(file, 4);
    EXPECT_EQ(read.outcome, Outcome::Read) << "exactly the limit is read";
    EXPECT_EQ(read.bytes, "abcd");
    EXPECT_EQ(read.status.st_size, 4);
    EXPECT_EQ(readSmallRegularFile(file, 3).outcome, Outcome::TooLarge);
    test::writeFile(file, "");
    EXPECT_EQ(readSmallRegularFile(file, 0).outcome, Outcome::Read);

    // A pipe or a folder where the file should be is told, without waiting for a writer.
    std::filesystem::remove(file);
    ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
    EXPECT_EQ(readSmallRegularFile(file, 4).outcome, Outcome::NotRegular);
    std::filesystem::remove(file);
    ASSERT_EQ(::mkdir(file.c_str(), 0700), 0);
    EXPECT_EQ(readSmallRegularFile(file, 4).outcome, Outcome::NotRegular);

    // Any other failure to open carries its reason.
    test::writeFile(folder / "plain", "x");
    const SmallFileRead notAFolder = readSmallRegularFile(folder / "plain/x", 4);
    EXPECT_EQ(notAFolder.outcome, Outcome::CannotOpen);
    EXPECT_EQ(notAFolder.error, ENOTDIR);
}
