#include "browse/WebsiteData.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "tests/support/Files.h"

namespace zemora {
namespace {

using test::TempFolder;
using test::readFile;
using test::writeFile;

mode_t modeOf(const std::string& path)
{
    struct stat status {};
    ::lstat(path.c_str(), &status);
    return status.st_mode & 07777;
}

TEST(WebsiteData, FoldersFollowTheXdgVariablesAndFallBackUnderHome)
{
    const auto set = websiteDataFolders("/home/u", "/data/", "/cache");
    EXPECT_EQ(set.data, "/data/zemora");
    EXPECT_EQ(set.cache, "/cache/zemora");
    EXPECT_EQ(set.cookieFile, "/data/zemora/cookies.sqlite");
    // Empty and relative settings are no settings.
    for (const char* unset : {"", "relative/share"}) {
        const auto fallback = websiteDataFolders("/home/u/", unset, unset);
        EXPECT_EQ(fallback.data, "/home/u/.local/share/zemora") << unset;
        EXPECT_EQ(fallback.cache, "/home/u/.cache/zemora") << unset;
    }
    EXPECT_EQ(websiteDataFolders("/", "", "").data, "/.local/share/zemora");
}

TEST(WebsiteData, FoldersAndTheCookieFileAreTheUsersAlone)
{
    TempFolder home;
    const auto folders = websiteDataFolders(home.path(), home / "deep/share", home / "cache");
    ASSERT_EQ(prepareWebsiteData(folders), CookieStore::Usable);
    EXPECT_EQ(modeOf(folders.data), 0700u);
    EXPECT_EQ(modeOf(folders.cache), 0700u);
    EXPECT_EQ(modeOf(folders.cookieFile), 0600u);

    // Left wider by an earlier version or by hand: tightened, the store kept.
    ::chmod(folders.data.c_str(), 0755);
    ::chmod(folders.cache.c_str(), 0777);
    const std::string store = std::string("SQLite format 3") + '\0' + "cookies";
    writeFile(folders.cookieFile, store);
    ::chmod(folders.cookieFile.c_str(), 0644);
    EXPECT_EQ(prepareWebsiteData(folders), CookieStore::Usable);
    EXPECT_EQ(modeOf(folders.data), 0700u);
    EXPECT_EQ(modeOf(folders.cache), 0700u);
    EXPECT_EQ(modeOf(folders.cookieFile), 0600u);
    EXPECT_EQ(readFile(folders.cookieFile), store);
}

TEST(WebsiteData, AStoreThatIsNoDatabaseIsCorruptAndLeftAsItIs)
{
    TempFolder home;
    const auto folders = websiteDataFolders(home.path(), home / "share", home / "cache");
    ASSERT_EQ(prepareWebsiteData(folders), CookieStore::Usable);
    for (const std::string& garbage : {std::string("garbage, not a database"), std::string("SQLite"),
                                      std::string("SQLite format 3 but no NUL")}) {
        writeFile(folders.cookieFile, garbage);
        EXPECT_EQ(prepareWebsiteData(folders), CookieStore::Corrupt) << garbage;
        EXPECT_EQ(readFile(folders.cookieFile), garbage);
    }
    std::filesystem::remove(folders.cookieFile);
    std::filesystem::create_directory(folders.cookieFile);
    EXPECT_EQ(prepareWebsiteData(folders), CookieStore::Corrupt) << "a folder in its place";
    std::filesystem::remove(folders.cookieFile);
    std::filesystem::create_symlink(home / "elsewhere", folders.cookieFile);
    EXPECT_EQ(prepareWebsiteData(folders), CookieStore::Corrupt) << "a link, never followed";
    EXPECT_FALSE(std::filesystem::exists(home / "elsewhere"));
}

TEST(WebsiteData, AFolderThatCannotBeMadeLeavesTheStoreUnwritable)
{
    TempFolder home;
    writeFile(home / "share", "a file where the data folder's parent should be");
    EXPECT_EQ(prepareWebsiteData(websiteDataFolders(home.path(), home / "share", home / "cache")),
              CookieStore::Unwritable);
    writeFile(home / "zemora", "a file where the data folder should be");
    EXPECT_EQ(prepareWebsiteData(websiteDataFolders(home.path(), home.path(), home / "cache")),
              CookieStore::Unwritable);
}

} // namespace
} // namespace zemora
