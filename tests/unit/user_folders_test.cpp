#include <gtest/gtest.h>

#include <cstdlib>

#include "base/UserFolders.h"

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
