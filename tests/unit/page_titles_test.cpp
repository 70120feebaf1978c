#include <gtest/gtest.h>

#include "browse/PageTitles.h"

using namespace zemora;

TEST(PageTitles, ATitleCannotTurnOrHideWhatFollowsIt)
{
    struct Case {
        std::string title;
        std::string shown;
    };
    const std::string ideographicBlanks = [] {
        std::string blanks;
        for (int i = 0; i < 3000; ++i)
            blanks += "\u3000";
        return blanks;
    }();
    const Case cases[] = {
        {"新闻 - 首页", "新闻 - 首页"},
        {"", ""},
        // Every control of writing direction goes, wherever it stands.
        {"Bank\u202E", "Bank"},
        {"\u202Dlog\u200Ein\u2066x\u2069\u061C\u200F", "loginx"},
        {"a\u202Ab\u202Bc\u202Cd", "abcd"},
        // A run of blanks of any kind is one blank.
        {"A" + ideographicBlanks + "B", "A B"},
        {"a \t\n\u00A0\u2003\u2028b", "a b"},
        {"  padded  ", " padded "},
        // Broken text stays one character a byte.
        {"ok\xFF", "ok\uFFFD"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(shownTitle(c.title), c.shown) << c.title.substr(0, 40);
}

TEST(PageTitles, ALongTitleIsCutWithAnEllipsisAtTheLimit)
{
    std::string exact;
    for (std::size_t i = 0; i < kMaxShownTitle; ++i)
        exact += "字";
    EXPECT_EQ(shownTitle(exact), exact) << "the limit itself is kept whole";
    EXPECT_EQ(shownTitle(exact + "\u202E"), exact) << "what goes is not counted";
    const std::string longer = shownTitle(exact + "x");
    std::string expected;
    for (std::size_t i = 0; i + 1 < kMaxShownTitle; ++i)
        expected += "字";
    EXPECT_EQ(longer, expected + "…");
}

TEST(PageTitles, AnUntitledPageIsNamedByItsFile)
{
    const std::pair<const char*, const char*> cases[] = {
        {"http://h.test/docs/report.pdf", "report.pdf"},
        {"https://h.test/%E5%B9%B4%E6%8A%A5%202025.pdf?page=2#x", "年报 2025.pdf"},
        {"file:///home/u/a%20b.png", "a b.png"},
        {"http://h.test/docs/", "h.test"},
        {"http://H.test", "h.test"},
        {"http://h.test/x%E2%80%AE.pdf", "x.pdf"}, // made safe like a title
        {"about:blank", "about:blank"},
    };
    for (const auto& [address, name] : cases)
        EXPECT_EQ(untitledPageName(address), name) << address;
}
