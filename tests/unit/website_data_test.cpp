#include "browse/WebsiteData.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "tests/support/Files.h"

namespace zemora {
namespace {

using test::readFile;
using test::TempFolder;
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
    ASSERT_EQ(prepareWebsiteData(folders).store, CookieStore::Usable);
    EXPECT_EQ(modeOf(folders.data), 0700u);
    EXPECT_EQ(modeOf(folders.cache), 0700u);
    EXPECT_EQ(modeOf(folders.cookieFile), 0600u);

    // Left wider by an earlier version or by hand: tightened, the store kept.
    ::chmod(folders.data.c_str(), 0755);
    ::chmod(folders.cache.c_str(), 0777);
    const std::string store = readFile(ZEMORA_SOURCE_DIR "/tests/e2e/data/cookies-4.0.sqlite");
    writeFile(folders.cookieFile, store);
    ::chmod(folders.cookieFile.c_str(), 0644);
    EXPECT_EQ(prepareWebsiteData(folders).store, CookieStore::Usable);
    EXPECT_EQ(modeOf(folders.data), 0700u);
    EXPECT_EQ(modeOf(folders.cache), 0700u);
    EXPECT_EQ(modeOf(folders.cookieFile), 0600u);
    EXPECT_EQ(readFile(folders.cookieFile), store);
}

TEST(WebsiteData, AStoreTheDatabaseCannotReadIsPutAsideWholeAndAFreshOneMade)
{
    const std::string real = readFile(ZEMORA_SOURCE_DIR "/tests/e2e/data/cookies-4.0.sqlite");
    ASSERT_GT(real.size(), 4096u);
    const std::string header = std::string("SQLite format 3") + '\0';
    struct Case {
        const char* what;
        std::string content;
    };
    const Case cases[] = {
        {"no database", "garbage, not a database"},
        {"a cut header", "SQLite"},
        {"a header without its end", "SQLite format 3 but no NUL"},
        {"garbage after a valid header", header + std::string(4080, 'x')},
        {"a store cut short", real.substr(0, real.size() / 2)},
        {"zeros", std::string(8192, '\0')},
    };
    const std::time_t when = 1765184415; // 2025-12-08, 09:00:15 UTC
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder home;
        const auto folders = websiteDataFolders(home.path(), home / "share", home / "cache");
        std::filesystem::create_directories(folders.data);
        writeFile(folders.cookieFile, c.content);
        writeFile(folders.cookieFile + "-journal", "a journal that must not reach the fresh store");
        const CookieStoreState state = prepareWebsiteData(folders, when);
        ASSERT_EQ(state.store, CookieStore::PutAside);
        EXPECT_EQ(state.putAside.rfind(folders.cookieFile + ".damaged-2025-12-", 0), 0u) << state.putAside;
        EXPECT_EQ(readFile(state.putAside), c.content) << "nothing of the user's is lost";
        EXPECT_TRUE(std::filesystem::exists(state.putAside + "-journal"));
        EXPECT_FALSE(std::filesystem::exists(folders.cookieFile + "-journal"));
        EXPECT_EQ(readFile(folders.cookieFile), "") << "a fresh store";
        EXPECT_EQ(modeOf(folders.cookieFile), 0600u);

        // Damaged again within the same second: never over the first.
        writeFile(folders.cookieFile, c.content);
        const CookieStoreState again = prepareWebsiteData(folders, when);
        ASSERT_EQ(again.store, CookieStore::PutAside);
        EXPECT_NE(again.putAside, state.putAside);
        EXPECT_EQ(readFile(state.putAside), c.content);
    }
}

TEST(WebsiteData, AReadableStoreAnEmptyOneAndAnythingInItsPlace)
{
    TempFolder home;
    const auto folders = websiteDataFolders(home.path(), home / "share", home / "cache");
    ASSERT_EQ(prepareWebsiteData(folders).store, CookieStore::Usable) << "made fresh";
    const std::string real = readFile(ZEMORA_SOURCE_DIR "/tests/e2e/data/cookies-4.0.sqlite");
    writeFile(folders.cookieFile, real);
    EXPECT_EQ(prepareWebsiteData(folders).store, CookieStore::Usable);
    EXPECT_EQ(readFile(folders.cookieFile), real) << "a store the database reads is left as it is";
    // A crash in the middle of a write left the database's own journal: the engine plays
    // it back, so the store is not judged now.
    writeFile(folders.cookieFile + "-journal", std::string("\xd9\xd5\x05\xf9\x20\xa1\x63\xd7", 8) + "pages");
    writeFile(folders.cookieFile, real.substr(0, 100) + std::string(real.size() - 100, 'x'));
    EXPECT_EQ(prepareWebsiteData(folders).store, CookieStore::Usable);
    std::filesystem::remove(folders.cookieFile + "-journal");

    // A folder, or a link never followed, stands where the store should be: put aside whole.
    std::filesystem::remove(folders.cookieFile);
    std::filesystem::create_directory(folders.cookieFile);
    CookieStoreState state = prepareWebsiteData(folders);
    EXPECT_EQ(state.store, CookieStore::PutAside);
    EXPECT_TRUE(std::filesystem::is_directory(state.putAside));
    std::filesystem::create_symlink(home / "elsewhere", folders.cookieFile.substr(0) + ".tmp");
    std::filesystem::remove(folders.cookieFile);
    std::filesystem::rename(folders.cookieFile + ".tmp", folders.cookieFile);
    state = prepareWebsiteData(folders);
    EXPECT_EQ(state.store, CookieStore::PutAside);
    EXPECT_TRUE(std::filesystem::is_symlink(state.putAside));
    EXPECT_FALSE(std::filesystem::exists(home / "elsewhere"));
    EXPECT_EQ(readFile(folders.cookieFile), "");
}

TEST(WebsiteData, AFolderThatCannotBeMadeLeavesTheStoreUnwritable)
{
    TempFolder home;
    writeFile(home / "share", "a file where the data folder's parent should be");
    EXPECT_EQ(prepareWebsiteData(websiteDataFolders(home.path(), home / "share", home / "cache")).store,
              CookieStore::Unwritable);
    writeFile(home / "zemora", "a file where the data folder should be");
    EXPECT_EQ(prepareWebsiteData(websiteDataFolders(home.path(), home.path(), home / "cache")).store,
              CookieStore::Unwritable);
}

} // namespace
} // namespace zemora
