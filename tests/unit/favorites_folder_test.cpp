#include "favorites/FavoritesFolder.h"

#include "base/Failure.h"

#include "tests/support/Files.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>

namespace zemora {
namespace {

using test::TempFolder;

struct LookupCase {
    const char* name;
    std::optional<std::string> userDirs; // nullopt: no user-dirs.dirs at all
    std::string expected;                // "~" stands for the home folder
};

const LookupCase kLookups[] = {
    {"no file", std::nullopt, "~/Favorites"},
    {"no entry", "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n", "~/Favorites"},
    {"under home", "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_FAVORITES_DIR=\"$HOME/收藏\"\n", "~/收藏"},
    {"absolute, trailing slash", "XDG_FAVORITES_DIR=\"/srv/fav/\"", "/srv/fav"},
    {"home itself", "XDG_FAVORITES_DIR=\"$HOME/\"\n", "~"},
    {"blanks, CR LF, trailing comment", "  XDG_FAVORITES_DIR = \"/a\" # mine\r\n", "/a"},
    {"escapes", "XDG_FAVORITES_DIR=\"/a \\\"b\\\" \\\\c\"\n", "/a \"b\" \\c"},
    {"last assignment wins", "XDG_FAVORITES_DIR=\"/first\"\nXDG_FAVORITES_DIR=\"/second\"\n", "/second"},
    {"commented out", "# XDG_FAVORITES_DIR=\"/x\"\n", "~/Favorites"},
    {"relative ignored", "XDG_FAVORITES_DIR=\"/kept\"\nXDG_FAVORITES_DIR=\"fav\"\n", "/kept"},
    {"bare $HOME ignored", "XDG_FAVORITES_DIR=\"$HOME\"\n", "~/Favorites"},
    {"unquoted ignored", "XDG_FAVORITES_DIR=/x\n", "~/Favorites"},
    {"unclosed quote ignored", "XDG_FAVORITES_DIR=\"/x\n", "~/Favorites"},
    {"longer name ignored", "XDG_FAVORITES_DIRS=\"/x\"\n", "~/Favorites"},
};

std::string expand(const std::string& pattern, const std::string& home)
{
    return pattern.starts_with('~') ? home + pattern.substr(1) : pattern;
}

TEST(FavoritesFolder, ReadsUserDirsLikeTheDesktop)
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

TEST(ListShortcutFiles, ListsPlainShortcutFilesInFileSystemOrder)
{
    TempFolder folder;
    for (const char* name : {"a.url", "B.URL", "c.Url", "notes.txt", "url", "x.url.bak", ".hidden.url"})
        test::writeFile(folder / name, "");
    ASSERT_EQ(::mkdir((folder / "dir.url").c_str(), 0755), 0);
    test::writeFile(folder / "dir.url/inner.url", "");
    ASSERT_EQ(::mkfifo((folder / "fifo.url").c_str(), 0644), 0);
    for (const auto& [target, name] : {std::pair{"a.url", "link.url"}, {"missing", "dangling.url"}, {"dir.url", "dirlink.url"}})
        ASSERT_EQ(::symlink(target, (folder / name).c_str()), 0);

    std::vector<std::string> expected; // the file system's own order, filtered
    DIR* dir = ::opendir(folder.path().c_str());
    while (const dirent* entry = ::readdir(dir))
        for (const char* name : {"a.url", "B.URL", "c.Url", "link.url"})
            if (entry->d_name == std::string(name))
                expected.push_back(name);
    ::closedir(dir);
    EXPECT_EQ(listShortcutFiles(folder.path()), expected);
}

TEST(ListShortcutFiles, MissingFolderIsEmptyButAFileIsNoFolder)
{
    TempFolder folder;
    EXPECT_TRUE(listShortcutFiles(folder / "missing").empty());
    EXPECT_TRUE(listShortcutFiles(folder.path()).empty());
    test::writeFile(folder / "file", "");
    EXPECT_THROW(listShortcutFiles(folder / "file"), Failure);
}

} // namespace
} // namespace zemora
