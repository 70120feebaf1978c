#pragma once
// One download of this session as the downloads list shows it, and the texts it shows.
// Text is UTF-8.
#include <cstdint>
#include <string>

namespace zemora {

struct DownloadInfo {
    enum class State {
        Waiting, // for the user's answer whether the page may download more
        Running,
        Saved,
        Failed,
        Cancelled,
        Refused, // a download nobody asked for, or more than the user allowed
    };
    unsigned id = 0;
    std::string name;    // the plain name it gets; empty until the engine suggests one
    std::string address; // where it comes from
    std::string path;    // where it was saved, once saved
    std::uint64_t received = 0;
    std::uint64_t total = 0; // 0 when the server does not say
    double bytesPerSecond = 0;
    State state = State::Running;
    std::string reason; // why it failed or was refused
};

// "1.5 MB / 3.0 MB", or "1.5 MB" when the size is not known.
std::string downloadSizeText(const DownloadInfo& download);
// "800 KB/s" while it runs, empty otherwise.
std::string downloadSpeedText(const DownloadInfo& download);
// The state in both languages, with the reason of a failure.
std::string downloadStateText(const DownloadInfo& download);
// How much in bytes, as people read it: "512 B", "2.5 KB", "1.5 MB", "3.2 GB".
std::string byteCountText(std::uint64_t bytes);

} // namespace zemora
