#include "browse/DownloadGate.h"

#include "base/AsciiText.h"
#include "browse/PageRequests.h"

namespace zemora {

DownloadVerdict judgeDownload(const DownloadStart& start)
{
    // A frame of another site, or a script, without the user's click: nobody asked.
    if (!start.topPageLoad && !start.recentActivation && !start.downloadSite.empty() &&
        start.downloadSite != start.pageSite)
        return DownloadVerdict::Refuse;
    if (start.sinceActivation == 0)
        return DownloadVerdict::Allow;
    if (start.morePermitted)
        return *start.morePermitted ? DownloadVerdict::Allow : DownloadVerdict::Block;
    return DownloadVerdict::AskForMore;
}

std::string hostOf(std::string_view address)
{
    std::string_view rest = address;
    if (parsedScheme(rest) == "blob")
        rest.remove_prefix(rest.find(':') + 1);
    const std::size_t authority = rest.find("://");
    if (authority == std::string_view::npos)
        return {};
    rest.remove_prefix(authority + 3);
    rest = rest.substr(0, rest.find_first_of("/?#"));
    if (const std::size_t at = rest.rfind('@'); at != std::string_view::npos)
        rest.remove_prefix(at + 1);
    // The port is no part of the host; an IPv6 host keeps its brackets.
    const std::size_t colon = rest.rfind(':');
    if (colon != std::string_view::npos && rest.find(']', colon) == std::string_view::npos)
        rest = rest.substr(0, colon);
    std::string host(rest);
    for (char& c : host)
        c = asciiLower(c);
    return host;
}

} // namespace zemora
