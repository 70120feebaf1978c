#include "favorites/FavoritesFolder.h"

#include "base/Failure.h"

#include "tests/support/Files.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <optional>

namespace zemora {
namespace {

using test::TempFolder;

struct LookupCase {
    const char* name;
    std::optional<std::string> userDirs; // nullopt: no user-dirs.dirs at all
    std::string expected;                // "~" stands for the home folder
};

// How the file itself is read is base/UserFolders' to test; these rows check the
// favorites' own part: which entry, and the default.
const LookupCase kLookups[] = {
    {"no file", std::nullopt, "~/Favorites"},
    {"no entry", "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n", "~/Favorites"},
    {"under home", "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_FAVORITES_DIR=\"$HOME/收藏\"\n", "~/收藏"},
    {"home itself", "XDG_FAVORITES_DIR=\"$HOME/\"\n", "~"},
    {"relative ignored", "XDG_FAVORITES_DIR=\"fav\"\n", "~/Favorites"},
    {"another folder's entry", "XDG_DOWNLOAD_DIR=\"/x\"\n", "~/Favorites"},
};

std::string expand(const std::string& pattern, const std::string& home)
{
    return pattern.starts_with('~') ? home + pattern.substr(1) : pattern;
}

TEST(FavoritesFolder, ReadsItsEntryOfUserDirs)
{
    for (const LookupCase& c : kLookups) {
        SCOPED_TRACE(c.name);
        TempFolder home;
        ASSERT_EQ(::mkdir((home / ".config").c_str(), 0755), 0);
        if (c.userDirs)
            test::writeFile(home / ".config/user-dirs.dirs", *c.userDirs);
        EXPECT_EQ(favoritesFolder(home.path(), ""), expand(c.expected, home.path()));
        EXPECT_EQ(favoritesFolder(home.path() + "/", "relative/ignored"), expand(c.expected, home.path()));
    }
}

TEST(FavoritesFolder, ConfigHomeAndMissingHome)
{
    TempFolder config;
    test::writeFile(config / "user-dirs.dirs", "XDG_FAVORITES_DIR=\"/abs\"\n");
    EXPECT_EQ(favoritesFolder("/nowhere", config.path()), "/abs");
    EXPECT_EQ(favoritesFolder("", config.path()), "/abs");
    EXPECT_EQ(favoritesFolder("/", ""), "/Favorites");
    EXPECT_EQ(favoritesFolder("", ""), std::nullopt);

    test::writeFile(config / "user-dirs.dirs", "XDG_FAVORITES_DIR=\"$HOME/x\"\n");
    EXPECT_EQ(favoritesFolder("", config.path()), std::nullopt);
}

TEST(ListFavorites, ListsPlainShortcutFilesByNameWithoutRegardToCase)
{
    TempFolder folder;
    for (const char* name :
         {"c.Url", "a.url", "B.URL", "notes.txt", "url", "x.url.bak", ".hidden.url", "A.url", "新闻.url", "0.url"})
        test::writeFile(folder / name, "");
    ASSERT_EQ(::mkdir((folder / ".dir.url").c_str(), 0755), 0);
    ASSERT_EQ(::mkfifo((folder / "fifo.url").c_str(), 0644), 0);
    for (const auto& [target, name] :
         {std::pair{"a.url", "link.url"}, {"missing", "dangling.url"}, {".dir.url", "dirlink.url"}})
        ASSERT_EQ(::symlink(target, (folder / name).c_str()), 0);

    const FavoritesListing listing = listFavorites(folder.path());
    EXPECT_EQ(listing.entries,
              (std::vector<std::string>{"0.url", "A.url", "a.url", "B.URL", "c.Url", "link.url", "新闻.url"}));
    EXPECT_EQ(listing.folders, (std::vector<std::string>{"", "dirlink.url"})) << "a folder is walked, not listed";
}

TEST(ListFavorites, SubFoldersFollowTheFolderOwnFilesDepthFirstByName)
{
    TempFolder folder;
    for (const char* path : {"新闻", "新闻/国内", "a", "a/b", "B", ".hidden", "a/.hidden", "empty"})
        ASSERT_EQ(::mkdir((folder / path).c_str(), 0755), 0);
    for (const char* path : {"新闻/国内/x.url", "新闻/y.url", "新闻/z.URL", "a/b/c.url", "a/d.url", "B/e.url",
                             "top.url", "Z.url", ".hidden/no.url", "a/.hidden/no.url", "a/.no.url", "a/no.txt"})
        test::writeFile(folder / path, "");

    const FavoritesListing listing = listFavorites(folder.path());
    // Each folder's own files, then each of its sub-folders in turn, all by name.
    EXPECT_EQ(listing.entries, (std::vector<std::string>{"top.url", "Z.url", "a/d.url", "a/b/c.url", "B/e.url",
                                                         "新闻/y.url", "新闻/z.URL", "新闻/国内/x.url"}));
    for (const std::string& entry : listing.entries) {
        struct stat status;
        EXPECT_EQ(::stat((folder.path() + "/" + entry).c_str(), &status), 0) << entry << ": the path rebuilds";
    }
    std::vector<std::string> folders = listing.folders;
    std::sort(folders.begin(), folders.end());
    EXPECT_EQ(folders, (std::vector<std::string>{"", "B", "a", "a/b", "empty", "新闻", "新闻/国内"}));
}

TEST(ListFavorites, GoesEightFoldersDeepAndWalksEachFolderOnce)
{
    TempFolder folder;
    std::string path;
    for (int depth = 1; depth <= 10; ++depth) {
        path += "d" + std::to_string(depth) + "/";
        ASSERT_EQ(::mkdir((folder / path).c_str(), 0755), 0);
        test::writeFile(folder / (path + "f.url"), "");
    }
    TempFolder outside;
    test::writeFile(outside / "far.url", "");
    ASSERT_EQ(::symlink("..", (folder / "d1/up").c_str()), 0);
    ASSERT_EQ(::symlink(".", (folder / "d1/d2/self").c_str()), 0);
    ASSERT_EQ(::symlink("loop", (folder / "d1/loop").c_str()), 0);
    ASSERT_EQ(::symlink(outside.path().c_str(), (folder / "far").c_str()), 0);

    const FavoritesListing listing = listFavorites(folder.path());
    std::vector<std::string> entries = listing.entries;
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, (std::vector<std::string>{"d1/d2/d3/d4/d5/d6/d7/d8/f.url", "d1/d2/d3/d4/d5/d6/d7/f.url",
                                                 "d1/d2/d3/d4/d5/d6/f.url", "d1/d2/d3/d4/d5/f.url", "d1/d2/d3/d4/f.url",
                                                 "d1/d2/d3/f.url", "d1/d2/f.url", "d1/f.url", "far/far.url"}));
    EXPECT_EQ(listing.folders.size(), 10u) << "the folder, d1 to d8 and the linked one outside";
}

TEST(ListFavorites, MissingFolderIsEmptyButAFileIsNoFolder)
{
    TempFolder folder;
    EXPECT_TRUE(listFavorites(folder / "missing").entries.empty());
    EXPECT_TRUE(listFavorites(folder.path()).entries.empty());
    test::writeFile(folder / "file", "");
    EXPECT_THROW(listFavorites(folder / "file"), Failure);
}

TEST(ListFavorites, ASubFolderThatCannotBeListedIsLeftOut)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root lists any folder";
    TempFolder folder;
    ASSERT_EQ(::mkdir((folder / "closed").c_str(), 0755), 0);
    test::writeFile(folder / "closed/x.url", "");
    test::writeFile(folder / "open.url", "");
    ASSERT_EQ(::chmod((folder / "closed").c_str(), 0), 0);
    EXPECT_EQ(listFavorites(folder.path()).entries, std::vector<std::string>{"open.url"});
    ::chmod((folder / "closed").c_str(), 0755);
}

} // namespace
} // namespace zemora
