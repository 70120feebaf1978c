#include "browse/DownloadGate.h"

namespace zemora {

DownloadVerdict judgeDownload(const DownloadStart& start)
{
    // A frame of another site, or a script, without the user's click: nobody asked.
    if (!start.topPageLoad && !start.recentActivation && !start.downloadSite.empty()
        && start.downloadSite != start.pageSite)
        return DownloadVerdict::Refuse;
    if (start.sinceActivation == 0)
        return DownloadVerdict::Allow;
    if (start.morePermitted)
        return *start.morePermitted ? DownloadVerdict::Allow : DownloadVerdict::Block;
    return DownloadVerdict::AskForMore;
}

} // namespace zemora
