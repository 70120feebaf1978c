#include <gtest/gtest.h>

#include "browse/DownloadGate.h"

using namespace zemora;

TEST(DownloadGate, OnlyTheUserOpensTheWayForDownloads)
{
    struct Case {
        const char* what;
        DownloadStart start;
        DownloadVerdict verdict;
    };
    const auto start = [](bool top, bool activation, const char* download, int since,
                          std::optional<bool> answer = std::nullopt) {
        return DownloadStart{top, activation, "bank.test", download, since, answer};
    };
    const Case cases[] = {
        {"a frame of another site, no click", start(false, false, "evil.test", 0), DownloadVerdict::Refuse},
        {"... however often allowed before", start(false, false, "evil.test", 3, true), DownloadVerdict::Refuse},
        {"a frame of another site after a click", start(false, true, "evil.test", 0), DownloadVerdict::Allow},
        {"the page's own script, no click", start(false, false, "bank.test", 0), DownloadVerdict::Allow},
        {"an inline document, no click", start(false, false, "", 0), DownloadVerdict::Allow},
        {"the top page's load to another site", start(true, false, "cdn.test", 0), DownloadVerdict::Allow},
        {"a second without a new click", start(true, false, "bank.test", 1), DownloadVerdict::AskForMore},
        {"... once allowed for the page", start(false, false, "bank.test", 5, true), DownloadVerdict::Allow},
        {"... once blocked for the page", start(true, true, "bank.test", 2, false), DownloadVerdict::Block},
        {"the first after a new click, blocked before", start(true, true, "bank.test", 0, false),
         DownloadVerdict::Allow},
    };
    for (const Case& c : cases)
        EXPECT_EQ(judgeDownload(c.start), c.verdict) << c.what;
}
