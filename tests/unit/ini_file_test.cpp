#include "favorites/IniFile.h"

#include "base/Failure.h"

#include "tests/support/Files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace zemora {
namespace {

using test::TempFolder;

struct EditCase {
    const char* name;
    std::string before;
    std::string after; // once URL of InternetShortcut is set to "http://new/"
};

const std::string kBom = "\xEF\xBB\xBF";
const std::string kNew = "[InternetShortcut]\r\nURL=http://new/\r\n";

const EditCase kEdits[] = {
    {"empty file", "", kNew},
    {"only a byte-order mark", kBom, kBom + kNew},
    {"key replaced", "[InternetShortcut]\r\nURL=http://old/\r\nIconIndex=0\r\n",
     "[InternetShortcut]\r\nURL=http://new/\r\nIconIndex=0\r\n"},
    {"file's spelling kept, blanks dropped", "[ internetSHORTCUT ]\r\n\t url = old \r\n",
     "[ internetSHORTCUT ]\r\nurl=http://new/\r\n"},
    {"key line keeps its own ending", "[InternetShortcut]\nURL=old\r\nX=1\n",
     "[InternetShortcut]\nURL=http://new/\r\nX=1\n"},
    {"key at the end without line break gets CR LF", "[InternetShortcut]\r\nURL=old",
     "[InternetShortcut]\r\nURL=http://new/\r\n"},
    {"so does one in an LF file", "[InternetShortcut]\nURL=old", "[InternetShortcut]\nURL=http://new/\r\n"},
    {"key without =", "[InternetShortcut]\r\nURL\r\n", "[InternetShortcut]\r\nURL=http://new/\r\n"},
    {"first matching key only", "[InternetShortcut]\r\nURL=a\r\nURL=b\r\n",
     "[InternetShortcut]\r\nURL=http://new/\r\nURL=b\r\n"},
    {"first matching section only", "[InternetShortcut]\r\nA=1\r\n[InternetShortcut]\r\nURL=old\r\n",
     "[InternetShortcut]\r\nA=1\r\nURL=http://new/\r\n[InternetShortcut]\r\nURL=old\r\n"},
    {"missing key after the last key line", "[InternetShortcut]\r\nA=1\r\nB=2\r\n; end\r\n\r\n[Other]\r\nC=3\r\n",
     "[InternetShortcut]\r\nA=1\r\nB=2\r\nURL=http://new/\r\n; end\r\n\r\n[Other]\r\nC=3\r\n"},
    {"longer key is another key", "[InternetShortcut]\r\nBASEURL=x\r\n",
     "[InternetShortcut]\r\nBASEURL=x\r\nURL=http://new/\r\n"},
    {"comments are no keys", "[InternetShortcut]\r\n;URL=old\r\n  ; URL=old\r\n",
     "[InternetShortcut]\r\nURL=http://new/\r\n;URL=old\r\n  ; URL=old\r\n"},
    {"keys before the first section", "URL=x\r\n[InternetShortcut]\r\nA=1\r\n",
     "URL=x\r\n[InternetShortcut]\r\nA=1\r\nURL=http://new/\r\n"},
    {"last key line without line break", "[InternetShortcut]\r\nA=1",
     "[InternetShortcut]\r\nA=1\r\nURL=http://new/\r\n"},
    {"section appended", "[DEFAULT]\r\nBASEURL=x\r\n\r\n", "[DEFAULT]\r\nBASEURL=x\r\n\r\n" + kNew},
    {"section appended after a missing line break", "[DEFAULT]\r\nBASEURL=x", "[DEFAULT]\r\nBASEURL=x\r\n" + kNew},
    {"all LF", "[Other]\nA=1\n", "[Other]\nA=1\n[InternetShortcut]\nURL=http://new/\n"},
    {"all LF, key added", "[InternetShortcut]\nA=1", "[InternetShortcut]\nA=1\nURL=http://new/\n"},
    {"lone CR is no LF file", "[Other]\rA=1\r", "[Other]\rA=1\r" + kNew},
    {"byte-order mark and bytes before sections kept", kBom + "junk\r\n\r\n[InternetShortcut]\r\n",
     kBom + "junk\r\n\r\n[InternetShortcut]\r\nURL=http://new/\r\n"},
};

TEST(SetIniValue, EditsOnlyTheKey)
{
    for (const EditCase& c : kEdits) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(setIniValue(c.before, "InternetShortcut", "URL", "http://new/"), c.after);
    }
}

TEST(SetIniValue, WritesValueVerbatimButRefusesLineBreaks)
{
    EXPECT_EQ(setIniValue("", "S", "K", " \"a b\" "), "[S]\r\nK= \"a b\" \r\n");
    EXPECT_THROW(setIniValue("", "S", "K", "x\r\nURL=evil"), Failure);
    EXPECT_THROW(setIniValue("", "S", "K\n", "x"), Failure);
    EXPECT_THROW(setIniValue("", "S\r", "K", "x"), Failure);
}

class WriteIniValue : public ::testing::Test {
protected:
    TempFolder folder;
    const std::string path = folder / "a.url";
    const std::string old = "[InternetShortcut]\r\nURL=http://old/\r\n";
    const std::size_t filesOpenBefore = test::openFileCount();

    void write() { writeIniValue(path, "InternetShortcut", "URL", "http://new/", calls); }
    // The old file is byte-identical, nothing else was left in the folder and no file open.
    void expectUntouched()
    {
        EXPECT_EQ(test::readFile(path), old);
        EXPECT_EQ(test::folderEntries(folder.path()), std::set<std::string>{"a.url"});
        EXPECT_EQ(test::openFileCount(), filesOpenBefore);
    }
    std::string failureOfWrite()
    {
        try {
            write();
        } catch (const Failure& failure) {
            return failure.what();
        }
        return "no failure";
    }

    FileCalls calls;
};

mode_t modeOf(const std::string& path)
{
    struct stat status {};
    ::stat(path.c_str(), &status);
    return status.st_mode & 07777;
}

TEST_F(WriteIniValue, CreatesANewFileWithTheUmask)
{
    const mode_t previous = ::umask(027);
    write();
    ::umask(previous);
    EXPECT_EQ(test::readFile(path), kNew);
    EXPECT_EQ(modeOf(path), 0640u);
}

TEST_F(WriteIniValue, KeepsPermissionsAndLinks)
{
    test::writeFile(folder / "target.url", old);
    ASSERT_EQ(::chmod((folder / "target.url").c_str(), 0604), 0);
    ASSERT_EQ(::symlink("target.url", path.c_str()), 0);
    write();
    EXPECT_EQ(test::readFile(folder / "target.url"), kNew);
    EXPECT_EQ(modeOf(folder / "target.url"), 0604u);
    char link[64] = {};
    EXPECT_EQ(::readlink(path.c_str(), link, sizeof link - 1), 10) << "still a link";
}

// Writes a few bytes at a time, interrupted in between, and finds the disk full after
// `failAfter` bytes.
template <std::size_t failAfter> ssize_t fillingDisk(int fd, const void* data, std::size_t size)
{
    static std::size_t written = 0;
    static bool interrupt = false;
    if ((interrupt = !interrupt) || written >= failAfter) {
        errno = interrupt ? EINTR : ENOSPC;
        return -1;
    }
    const ssize_t count = ::write(fd, data, std::min<std::size_t>(size, 5));
    written += static_cast<std::size_t>(std::max<ssize_t>(count, 0));
    return count;
}

TEST_F(WriteIniValue, HandlesShortWritesAndInterruptions)
{
    test::writeFile(path, old);
    calls.write = fillingDisk<1000>;
    write();
    EXPECT_EQ(test::readFile(path), kNew);
    EXPECT_EQ(test::folderEntries(folder.path()), std::set<std::string>{"a.url"});
}

TEST_F(WriteIniValue, DiskFullHalfWayLeavesTheOldFile)
{
    test::writeFile(path, old);
    calls.write = fillingDisk<15>;
    const std::string message = failureOfWrite();
    EXPECT_NE(message.find("No space left on device"), std::string::npos) << message;
    EXPECT_NE(message.find(path), std::string::npos) << message;
    expectUntouched();
}

TEST_F(WriteIniValue, FailedSyncOrRenameIsReportedAndLeavesTheOldFile)
{
    test::writeFile(path, old);
    struct Case {
        const char* name;
        FileCalls calls;
        const char* reason;
    };
    FileCalls failingSync;
    failingSync.fsync = [](int) {
        errno = EIO;
        return -1;
    };
    FileCalls failingRename;
    failingRename.rename = [](const char*, const char*) {
        errno = EXDEV;
        return -1;
    };
    for (const Case& c : {Case{"sync", failingSync, "Input/output error"},
                          Case{"rename", failingRename, "Invalid cross-device link"}}) {
        SCOPED_TRACE(c.name);
        calls = c.calls;
        const std::string message = failureOfWrite();
        EXPECT_NE(message.find(c.reason), std::string::npos) << message;
        expectUntouched();
    }
}

TEST_F(WriteIniValue, RefusesWhatIsNoSmallRegularFile)
{
    test::writeFile(path, old);
    ASSERT_EQ(::mkdir((folder / "dir.url").c_str(), 0755), 0);
    ASSERT_EQ(::mkfifo((folder / "fifo.url").c_str(), 0644), 0);
    test::writeFile(folder / "large.url", std::string((1 << 20) + 1, ';'));
    for (const char* name : {"dir.url", "fifo.url", "large.url", "missing/x.url"}) {
        SCOPED_TRACE(name);
        const std::set<std::string> before = test::folderEntries(folder.path());
        EXPECT_THROW(writeIniValue(folder / name, "InternetShortcut", "URL", "http://new/"), Failure);
        EXPECT_EQ(test::folderEntries(folder.path()), before);
    }
    EXPECT_EQ(test::readFile(folder / "large.url").size(), (1u << 20) + 1);
}

TEST_F(WriteIniValue, ReadOnlyFolderLeavesTheOldFile)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    test::writeFile(path, old);
    ASSERT_EQ(::chmod(folder.path().c_str(), 0555), 0);
    const std::string message = failureOfWrite();
    ::chmod(folder.path().c_str(), 0755);
    EXPECT_NE(message.find("Permission denied"), std::string::npos) << message;
    expectUntouched();
}

} // namespace
} // namespace zemora
