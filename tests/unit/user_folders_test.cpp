#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "base/UserFolders.h"
#include "tests/support/Files.h"

using namespace zemora;

TEST(UserFolders, TrailingSlashesGoButTheRootStays)
{
    EXPECT_EQ(withoutTrailingSlashes("/home/a///"), "/home/a");
    EXPECT_EQ(withoutTrailingSlashes("/"), "/");
    EXPECT_EQ(withoutTrailingSlashes("///"), "/");
    EXPECT_EQ(withoutTrailingSlashes("rel/"), "rel");
    EXPECT_EQ(withoutTrailingSlashes(""), "");
}

TEST(UserFolders, HomeIsAnAbsoluteHomeVariableOrTheUsersEntry)
{
    const std::string kept = environmentValue("HOME");
    ::setenv("HOME", "/somewhere/else", 1);
    EXPECT_EQ(homeFolder(), "/somewhere/else");
    // A relative or missing HOME says nothing: the password database does.
    ::setenv("HOME", "relative", 1);
    EXPECT_TRUE(homeFolder().starts_with('/'));
    ::unsetenv("HOME");
    EXPECT_EQ(environmentValue("HOME"), "");
    EXPECT_TRUE(homeFolder().starts_with('/'));
    ::setenv("HOME", kept.c_str(), 1);
}

TEST(UserFolders, AnXdgFolderIsAbsoluteOrUnderHome)
{
    EXPECT_EQ(xdgBaseFolder("/cfg/", "/home/u", ".config"), "/cfg");
    EXPECT_EQ(xdgBaseFolder("", "/home/u/", ".config"), "/home/u/.config");
    EXPECT_EQ(xdgBaseFolder("relative", "/home/u", ".local/share"), "/home/u/.local/share");
    EXPECT_EQ(xdgBaseFolder("", "/", ".cache"), "/.cache");
    EXPECT_EQ(xdgBaseFolder("", "", ".cache"), "");
}

struct EntryCase {
    const char* name;
    const char* text;
    std::optional<std::string> expected;
};

const EntryCase kEntries[] = {
    {"none", "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n", std::nullopt},
    {"under home", "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_X_DIR=\"$HOME/收藏\"\n", "/home/u/收藏"},
    {"home itself", "XDG_X_DIR=\"$HOME/\"\n", "/home/u"},
    {"absolute, trailing slash", "XDG_X_DIR=\"/srv/x/\"", "/srv/x"},
    {"blanks, CR LF, trailing comment", "  XDG_X_DIR = \"/a\" # mine\r\n", "/a"},
    {"escapes", "XDG_X_DIR=\"/a \\\"b\\\" \\\\c\"\n", "/a \"b\" \\c"},
    {"last usable line wins", "XDG_X_DIR=\"/first\"\nXDG_X_DIR=\"/second\"\nXDG_X_DIR=\"rel\"\n", "/second"},
    {"commented out", "# XDG_X_DIR=\"/x\"\n", std::nullopt},
    {"bare $HOME", "XDG_X_DIR=\"$HOME\"\n", std::nullopt},
    {"$HOME glued to a name", "XDG_X_DIR=\"$HOMEx\"\n", std::nullopt},
    {"unquoted", "XDG_X_DIR=/x\n", std::nullopt},
    {"unclosed quote", "XDG_X_DIR=\"/x\n", std::nullopt},
    {"longer name", "XDG_X_DIRS=\"/x\"\n", std::nullopt},
    {"no line end, no text", "", std::nullopt},
};

TEST(UserFolders, UserDirsIsReadAsTheShellWould)
{
    for (const EntryCase& c : kEntries) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(userDirsEntry(c.text, "XDG_X_DIR", "/home/u"), c.expected);
        EXPECT_EQ(userDirsEntry(c.text, "XDG_X_DIR", "/home/u/"), c.expected);
    }
    // Without a home, "$HOME" means nothing; an absolute folder still counts.
    EXPECT_EQ(userDirsEntry("XDG_X_DIR=\"$HOME/a\"\n", "XDG_X_DIR", ""), std::nullopt);
    EXPECT_EQ(userDirsEntry("XDG_X_DIR=\"/a\"\n", "XDG_X_DIR", ""), "/a");
    EXPECT_EQ(userDirsEntry("XDG_X_DIR=\"$HOME/a\"\n", "XDG_X_DIR", "/"), "/a");
}

TEST(UserFolders, OnlyAPlainUserDirsFileOfSensibleSizeIsRead)
{
    test::TempFolder config;
    const std::string file = config / "user-dirs.dirs";
    EXPECT_EQ(userDirsFolder(config.path(), "XDG_X_DIR", "/h"), std::nullopt) << "missing";
    EXPECT_EQ(userDirsFolder("", "XDG_X_DIR", "/h"), std::nullopt) << "no config folder";
    test::writeFile(file, "XDG_X_DIR=\"$HOME/x\"\n");
    EXPECT_EQ(userDirsFolder(config.path() + "/", "XDG_X_DIR", "/h"), "/h/x");
    // A huge file is not what the desktop writes; nothing is taken from it.
    test::writeFile(file, "XDG_X_DIR=\"/x\"\n" + std::string(100 * 1024, '#'));
    EXPECT_EQ(userDirsFolder(config.path(), "XDG_X_DIR", "/h"), std::nullopt);
    // A pipe in its place must not hang the start.
    std::filesystem::remove(file);
    ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
    EXPECT_EQ(userDirsFolder(config.path(), "XDG_X_DIR", "/h"), std::nullopt);
    std::filesystem::remove(file);
    ASSERT_EQ(::mkdir(file.c_str(), 0700), 0);
    EXPECT_EQ(userDirsFolder(config.path(), "XDG_X_DIR", "/h"), std::nullopt);
}
