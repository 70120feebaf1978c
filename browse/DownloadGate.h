#pragma once
// Which downloads a page may start: pure rules, no engine. Text is UTF-8.
#include <optional>
#include <string>
#include <string_view>

namespace zemora {

// What is known of a download as it starts.
struct DownloadStart {
    // The top page's own load turned into the download (a link followed, an address typed),
    // rather than a frame's load or a download the page started by script.
    bool topPageLoad = false;
    // The user clicked or typed in the page (or opened an address) a moment before.
    bool recentActivation = false;
    // The sites (registrable domains) of the top page and of the download's address;
    // empty when the address names none (an inline document).
    std::string pageSite;
    std::string downloadSite;
    // Downloads this page started since the user's last click or key.
    int sinceActivation = 0;
    // What the user answered when this page asked to download several files.
    std::optional<bool> morePermitted;
};

enum class DownloadVerdict {
    Allow,
    Refuse,     // another site's download nobody asked for
    Block,      // one more download than the user allowed
    AskForMore, // the page starts another download without a new click
};

// A download that another site starts in the page without a click of the user's is
// refused; the first after a click (or the page's own first) goes ahead; further ones
// without a new click need the user's answer, asked once for the page.
DownloadVerdict judgeDownload(const DownloadStart& start);

} // namespace zemora
