#include "browse/DownloadInfo.h"

#include <cstdio>

#include "base/Failure.h"
#include "base/Texts.h"

namespace zemora {

std::string byteCountText(std::uint64_t bytes)
{
    static constexpr const char* kUnits[] = {"B", "KB", "MB", "GB", "TB"};
    double amount = static_cast<double>(bytes);
    std::size_t unit = 0;
    while (amount >= 1000 && unit + 1 < std::size(kUnits)) {
        amount /= 1000;
        ++unit;
    }
    char text[32];
    std::snprintf(text, sizeof text, unit == 0 ? "%.0f %s" : "%.1f %s", amount, kUnits[unit]);
    return text;
}

std::string downloadSizeText(const DownloadInfo& download)
{
    if (download.total == 0)
        return byteCountText(download.received);
    return byteCountText(download.received) + " / " + byteCountText(download.total);
}

std::string downloadSpeedText(const DownloadInfo& download)
{
    if (download.state != DownloadInfo::State::Running)
        return {};
    return byteCountText(static_cast<std::uint64_t>(download.bytesPerSecond)) + "/s";
}

std::string downloadStateText(const DownloadInfo& download)
{
    switch (download.state) {
    case DownloadInfo::State::Waiting: return bilingual(kDownloadStateWaiting);
    case DownloadInfo::State::Running: return bilingual(kDownloadStateRunning);
    case DownloadInfo::State::Saved: return bilingual(kDownloadStateSaved);
    case DownloadInfo::State::Cancelled: return bilingual(kDownloadStateCancelled);
    case DownloadInfo::State::Refused: return bilingual(kDownloadStateRefused);
    case DownloadInfo::State::Failed:
        return download.reason.empty() ? bilingual(kDownloadStateFailed)
                                       : bilingual(kDownloadStateFailed) + ": " + download.reason;
    }
    return {};
}

} // namespace zemora
