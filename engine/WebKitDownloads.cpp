#include "engine/WebKitDownloads.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <utility>

#include <webkit2/webkit2.h>

#include "base/Failure.h"
#include "base/Paths.h"
#include "base/Texts.h"
#include "browse/AddressCompletion.h"
#include "browse/DownloadNames.h"
#include "engine/EngineProcesses.h"

namespace zemora {

using Clock = std::chrono::steady_clock;

struct WebKitDownloads::Job {
    WebKitDownloads* owner = nullptr;
    DownloadInfo info{};
    // Held while the engine carries it.
    WebKitDownload* download = nullptr;
    DownloadVerdict verdict = DownloadVerdict::Allow;
    std::string site{}; // of a download refused as nobody's
    std::string folder{};
    std::string partPath{}; // where the data goes until complete
    // The engine waits for us to give it a place for the data.
    bool destinationAsked = false;
    int lastPercent = -1;
    guint64 lastBytes = 0;
    // The bytes and the time of the last speed reading.
    guint64 speedBytes = 0;
    Clock::time_point speedAt = Clock::now();
    pid_t networkProcess = 0; // the engine's process carrying it, when known
};

namespace {

using Job = WebKitDownloads::Job;
using State = DownloadInfo::State;

constexpr char kJobKey[] = "zemora-download-job";
// Names tried before giving up on finding a free one.
constexpr int kMaxAttempts = 10000;
// How often a running download's network process is looked at.
constexpr guint kWatchMs = 1000;
// How often the speed is read again.
constexpr auto kSpeedInterval = std::chrono::milliseconds(500);
// Without a known size, progress is told each time this many more bytes have come; sizes
// are told in megabytes of this many bytes.
constexpr guint64 kToldAmountStep = 1000000;
constexpr double kBytesPerMegabyte = 1e6;
// The download folder, made if missing: the user's, readable by others as folders are.
constexpr mode_t kDownloadFolderMode = 0755;
// Where the engine keeps the data of a download until it moves it to the destination.
constexpr char kEngineTempSuffix[] = ".wkdownload";

// How the banner names a download: before the engine suggests a name it has none.
std::string shownName(const Job& job) { return job.info.name.empty() ? std::string(kSomeFile) : job.info.name; }

void removePart(const std::string& partPath)
{
    if (partPath.empty())
        return;
    ::unlink(partPath.c_str());
    ::unlink((partPath + kEngineTempSuffix).c_str());
}

std::string megabytes(guint64 bytes)
{
    char text[sizeof "18446744073709.6 MB"];
    std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / kBytesPerMegabyte);
    return text;
}

// Told on each whole percent, or each megabyte when the size is unknown; true when told.
bool tellProgress(Job& job, guint64 received, guint64 total)
{
    if (total > 0) {
        const int percent = static_cast<int>(received * 100 / total);
        if (percent == job.lastPercent)
            return false;
        job.lastPercent = percent;
        job.owner->tell(bilingual(kDownloadPercent, {{"name", job.info.name},
                                                     {"percent", std::to_string(percent)},
                                                     {"received", megabytes(received)},
                                                     {"total", megabytes(total)}}));
        return true;
    }
    if (received - job.lastBytes < kToldAmountStep && job.lastBytes != 0)
        return false;
    job.lastBytes = received;
    job.owner->tell(bilingual(kDownloadAmount, {{"name", job.info.name}, {"received", megabytes(received)}}));
    return true;
}

// Where the data of a download goes until it is complete: a hidden name of ours in the
// download folder, which is made when missing. False when it cannot be.
bool preparePart(Job& job)
{
    job.folder = downloadFolder();
    if (g_mkdir_with_parents(job.folder.c_str(), kDownloadFolderMode) != 0)
        return false;
    gchar* random = g_uuid_string_random();
    job.partPath = job.folder + "/.zemora-" + random + ".part";
    g_free(random);
    return true;
}

// Links the complete data under the first free name; never replaces an existing file.
// Returns the path given, or empty with errno set.
std::string giveName(const Job& job)
{
    for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
        std::string path = joinPath(job.folder, numberedName(job.info.name, attempt));
        if (::link(job.partPath.c_str(), path.c_str()) == 0) {
            ::unlink(job.partPath.c_str());
            return path;
        }
        if (errno == EEXIST)
            continue;
        // File systems without hard links still rename without replacing.
        if (::renameat2(AT_FDCWD, job.partPath.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) == 0)
            return path;
        if (errno != EEXIST)
            return {};
    }
    errno = EEXIST;
    return {};
}

void fail(Job& job, const std::string& reason, const std::string& told)
{
    job.info.state = State::Failed;
    job.info.reason = reason;
    job.owner->tell(told);
}

// Ends a download whose data is all in its part file: named under a free name and told
// where; or, when fewer bytes came than were announced (a cut connection), removed.
void completeJob(Job& job, guint64 received, guint64 announced)
{
    if (announced > 0 && received < announced) {
        ::unlink(job.partPath.c_str());
        return fail(job, bilingual(kConnectionCut), bilingual(kDownloadCut, {{"name", job.info.name}}));
    }
    const std::string path = giveName(job);
    if (path.empty()) {
        const std::string reason = std::strerror(errno);
        ::unlink(job.partPath.c_str());
        return fail(job, reason, bilingual(kDownloadNotNamed, {{"name", job.info.name}, {"reason", reason}}));
    }
    job.info.state = State::Saved;
    job.info.path = path;
    job.owner->tell(bilingual(kDownloadSaved, {{"name", path.substr(job.folder.size() + 1)}, {"folder", job.folder}}));
}

// The data goes to a hidden name of ours; the engine's suggestion never reaches the file
// system.
void proceed(Job& job)
{
    job.verdict = DownloadVerdict::Allow;
    job.info.state = State::Running;
    if (!preparePart(job)) {
        fail(job, job.folder, bilingual(kNoDownloadFolder, {{"folder", job.folder}}));
        webkit_download_cancel(job.download);
        return;
    }
    gchar* uri = g_filename_to_uri(job.partPath.c_str(), nullptr, nullptr);
    webkit_download_set_allow_overwrite(job.download, FALSE);
    webkit_download_set_destination(job.download, uri);
    g_free(uri);
    job.owner->tell(bilingual(kDownloadStarted, {{"name", job.info.name}}));
    job.owner->watchNetworkProcess();
}

void refuse(Job& job)
{
    job.info.state = State::Refused;
    job.info.reason = job.verdict == DownloadVerdict::Refuse ? job.site : std::string();
    job.owner->tell(job.verdict == DownloadVerdict::Refuse ? bilingual(kDownloadRefused, {{"site", job.site}})
                                                           : bilingual(kDownloadBlocked, {{"name", shownName(job)}}));
    webkit_download_cancel(job.download);
}

gboolean onDecideDestination(WebKitDownload* download, gchar* suggested, Job* job)
{
    const char* address = webkit_uri_request_get_uri(webkit_download_get_request(download));
    job->info.name = plainFileName(suggested ? suggested : "", address ? address : "");
    job->destinationAsked = true;
    switch (job->verdict) {
    case DownloadVerdict::Allow: proceed(*job); break;
    case DownloadVerdict::Refuse:
    case DownloadVerdict::Block: refuse(*job); break;
    case DownloadVerdict::AskForMore: job->info.state = State::Waiting; break; // until answered
    }
    job->owner->changed();
    return TRUE;
}

void onReceivedData(WebKitDownload* download, guint64, Job* job)
{
    if (job->info.state != State::Running)
        return;
    WebKitURIResponse* response = webkit_download_get_response(download);
    job->info.received = webkit_download_get_received_data_length(download);
    job->info.total = response ? webkit_uri_response_get_content_length(response) : 0;
    bool changed = tellProgress(*job, job->info.received, job->info.total);
    if (const auto now = Clock::now(); now - job->speedAt >= kSpeedInterval) {
        const double seconds = std::chrono::duration<double>(now - job->speedAt).count();
        job->info.bytesPerSecond = static_cast<double>(job->info.received - job->speedBytes) / seconds;
        job->speedBytes = job->info.received;
        job->speedAt = now;
        changed = true;
    }
    if (changed)
        job->owner->changed();
}

void onFailed(WebKitDownload*, GError* error, Job* job)
{
    removePart(job->partPath);
    if (job->info.state == State::Refused || job->info.state == State::Failed)
        return; // told already
    if (g_error_matches(error, WEBKIT_DOWNLOAD_ERROR, WEBKIT_DOWNLOAD_ERROR_CANCELLED_BY_USER)) {
        job->info.state = State::Cancelled;
        job->owner->tell(bilingual(kDownloadCancelled, {{"name", shownName(*job)}}));
    } else {
        const std::string reason = error ? error->message : "";
        fail(*job, reason, bilingual(kDownloadFailed, {{"name", shownName(*job)}, {"reason", reason}}));
    }
}

} // namespace

WebKitDownloads::WebKitDownloads(WebKitWebView* view, Hooks hooks) : view_(view), hooks_(std::move(hooks))
{
    g_signal_connect(webkit_web_view_get_context(view_), "download-started", G_CALLBACK(onStarted), this);
}

WebKitDownloads::~WebKitDownloads()
{
    g_signal_handlers_disconnect_by_data(webkit_web_view_get_context(view_), this);
    for (const auto& job : jobs_) {
        if (!job->download)
            continue;
        // One whose network process died is never ended by the engine, and cancelling it
        // crashes (engine/EngineFaults.md, 1).
        WebKitDownload* download = job->download;
        g_signal_handlers_disconnect_by_data(download, job.get());
        if (job->networkProcess > 0 && processAlive(job->networkProcess))
            webkit_download_cancel(download);
        removePart(job->partPath);
        g_object_set_data(G_OBJECT(download), kJobKey, nullptr);
        g_object_unref(download);
    }
    if (watch_)
        g_source_remove(watch_);
}

WebKitDownloads::Job* WebKitDownloads::jobOf(WebKitDownload* download) const
{
    return static_cast<Job*>(g_object_get_data(G_OBJECT(download), kJobKey));
}

void WebKitDownloads::onStarted(void*, WebKitDownload* download, WebKitDownloads* self)
{
    WebKitWebView* from = webkit_download_get_web_view(download);
    if (from && from != self->view_)
        return;
    static unsigned lastId = 0;
    auto job = std::make_unique<Job>(Job{.owner = self});
    job->info.id = ++lastId;
    const char* address = webkit_uri_request_get_uri(webkit_download_get_request(download));
    job->info.address = address ? address : "";
    job->verdict = self->hooks_.judge ? self->hooks_.judge(job->info.address) : DownloadVerdict::Allow;
    job->site = hostOf(job->info.address);
    job->download = WEBKIT_DOWNLOAD(g_object_ref(download));
    job->networkProcess = engineNetworkProcess();
    g_object_set_data(G_OBJECT(download), kJobKey, job.get());
    g_signal_connect(download, "decide-destination", G_CALLBACK(onDecideDestination), job.get());
    g_signal_connect(download, "received-data", G_CALLBACK(onReceivedData), job.get());
    g_signal_connect(download, "failed", G_CALLBACK(onFailed), job.get());
    g_signal_connect(download, "finished", G_CALLBACK(+[](WebKitDownload*, Job* j) { j->owner->finish(*j); }),
                     job.get());
    self->jobs_.push_back(std::move(job));
    self->changed();
}

void WebKitDownloads::finish(Job& job)
{
    // After a failure the engine ends the download too.
    if (job.info.state == State::Running && !job.partPath.empty()) {
        // The engine ends a download whose connection was cut as if it were complete
        // (engine/EngineFaults.md, 2).
        WebKitURIResponse* response = webkit_download_get_response(job.download);
        job.info.received = webkit_download_get_received_data_length(job.download);
        completeJob(job, job.info.received, response ? webkit_uri_response_get_content_length(response) : 0);
    }
    release(job);
    changed();
}

void WebKitDownloads::release(Job& job)
{
    if (!job.download)
        return;
    g_signal_handlers_disconnect_by_data(job.download, &job);
    g_object_set_data(G_OBJECT(job.download), kJobKey, nullptr);
    g_object_unref(std::exchange(job.download, nullptr));
}

std::vector<DownloadInfo> WebKitDownloads::list() const
{
    std::vector<DownloadInfo> all;
    all.reserve(jobs_.size());
    for (const auto& job : jobs_)
        all.push_back(job->info);
    return all;
}

void WebKitDownloads::cancel(unsigned id)
{
    for (const auto& job : jobs_) {
        if (job->info.id != id || !job->download)
            continue;
        if (job->networkProcess > 0 && !processAlive(job->networkProcess))
            dropLostDownloads();
        else
            webkit_download_cancel(job->download);
        return;
    }
}

void WebKitDownloads::answerForMore(bool allowed)
{
    for (const auto& job : jobs_) {
        if (job->verdict != DownloadVerdict::AskForMore || !job->download)
            continue;
        job->verdict = allowed ? DownloadVerdict::Allow : DownloadVerdict::Block;
        // One whose place the engine asked for meanwhile goes on, or is refused, now.
        if (job->destinationAsked)
            allowed ? proceed(*job) : refuse(*job);
    }
    changed();
}

void WebKitDownloads::watchNetworkProcess()
{
    if (watch_)
        return;
    watch_ = g_timeout_add(
        kWatchMs,
        +[](gpointer data) -> gboolean {
            auto* self = static_cast<WebKitDownloads*>(data);
            self->dropLostDownloads();
            for (const auto& job : self->jobs_)
                if (job->download)
                    return G_SOURCE_CONTINUE;
            self->watch_ = 0;
            return G_SOURCE_REMOVE;
        },
        this);
}

void WebKitDownloads::dropLostDownloads()
{
    bool dropped = false;
    for (const auto& job : jobs_) {
        if (!job->download || job->networkProcess <= 0 || processAlive(job->networkProcess))
            continue;
        removePart(job->partPath);
        fail(*job, bilingual(kNetworkProcessStopped), bilingual(kDownloadLost, {{"name", shownName(*job)}}));
        release(*job);
        dropped = true;
    }
    if (dropped)
        changed();
}

} // namespace zemora
