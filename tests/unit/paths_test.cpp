#include <gtest/gtest.h>

#include "base/Paths.h"

using namespace zemora;

TEST(Paths, JoinPutsOneSlashBetweenAndNoneAtTheEnd)
{
    EXPECT_EQ(joinPath("/home/a", "Favorites"), "/home/a/Favorites");
    EXPECT_EQ(joinPath("/home/a//", "Favorites"), "/home/a/Favorites");
    EXPECT_EQ(joinPath("/", "srv"), "/srv") << "the root is not doubled";
    EXPECT_EQ(joinPath("///", "srv"), "/srv");
    EXPECT_EQ(joinPath("/home/a", "收藏/"), "/home/a/收藏");
    EXPECT_EQ(joinPath("/home/a", ""), "/home/a");
    EXPECT_EQ(joinPath("/fav\xfe", "bad\xff.url"), "/fav\xfe/bad\xff.url") << "bytes pass as they are";
}

TEST(Paths, ShortcutFileNamesEndInUrlInAnyCase)
{
    for (const char* name : {"a.url", "B.URL", "c.Url", "新闻.url", ".hidden.url", "x.txt.url"})
        EXPECT_TRUE(isShortcutFileName(name)) << name;
    for (const char* name : {".url", ".URL", "url", "a.url.bak", "a.urls", "a_url", "a.ur", "", "a.\xd5rl"})
        EXPECT_FALSE(isShortcutFileName(name)) << name;
}
