#include "engine/WebKitDownloads.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <utility>

#include <webkit2/webkit2.h>

#include "base/Paths.h"
#include "base/Failure.h"
#include "browse/DownloadNames.h"

namespace zemora {

struct WebKitDownloads::Job {
    WebKitDownloads* owner;
    std::string folder;
    std::string name; // the plain name it will get
    std::string partPath; // where the data goes until complete
    int lastPercent = -1;
    guint64 lastBytes = 0;
    bool failed = false;
    pid_t networkProcess = 0; // the engine's process carrying it, when known
};

namespace {

using Job = WebKitDownloads::Job;

constexpr char kJobKey[] = "zemora-download-job";
// Names tried before giving up on finding a free one.
constexpr int kMaxAttempts = 10000;
// How often a running download's network process is looked at.
constexpr guint kWatchMs = 1000;
// Where the engine keeps the data of a download until it moves it to the destination.
constexpr char kEngineTempSuffix[] = ".wkdownload";

// What /proc tells of a process: its name, state and parent.
struct ProcessStat {
    std::string name;
    char state = 0;
    long parent = 0;
};

std::optional<ProcessStat> processStat(const std::string& pid)
{
    std::FILE* file = std::fopen(("/proc/" + pid + "/stat").c_str(), "re");
    if (!file)
        return std::nullopt;
    char line[512] = {};
    std::fread(line, 1, sizeof line - 1, file);
    std::fclose(file);
    const char* open = std::strchr(line, '(');
    const char* close = std::strrchr(line, ')');
    ProcessStat stat;
    if (!open || !close || close < open || std::sscanf(close + 1, " %c %ld", &stat.state, &stat.parent) != 2)
        return std::nullopt;
    stat.name.assign(open + 1, close);
    return stat;
}

// A process that has not ended (a zombie has).
bool alive(pid_t pid)
{
    const std::optional<ProcessStat> stat = processStat(std::to_string(pid));
    return stat && stat->state != 'Z' && stat->state != 'X';
}

// The engine's network process: a child of ours by the name the engine gives it.
pid_t networkProcess()
{
    DIR* proc = ::opendir("/proc");
    if (!proc)
        return 0;
    pid_t found = 0;
    while (const dirent* entry = ::readdir(proc)) {
        if (entry->d_name[0] < '1' || entry->d_name[0] > '9')
            continue;
        const std::optional<ProcessStat> stat = processStat(entry->d_name);
        if (stat && stat->name.starts_with("WebKitNetworkPr") && stat->parent == ::getpid() && stat->state != 'Z') {
            found = static_cast<pid_t>(std::atol(entry->d_name));
            break;
        }
    }
    ::closedir(proc);
    return found;
}

// How the banner names a download: before the engine suggests a name it has none.
std::string shownName(const Job& job)
{
    return job.name.empty() ? std::string(kSomeFile) : job.name;
}

void removePart(const std::string& partPath)
{
    if (partPath.empty())
        return;
    ::unlink(partPath.c_str());
    ::unlink((partPath + kEngineTempSuffix).c_str());
}

Job* jobOf(WebKitDownload* download)
{
    return static_cast<Job*>(g_object_get_data(G_OBJECT(download), kJobKey));
}

std::string megabytes(guint64 bytes)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / 1e6);
    return text;
}

// Told on each whole percent, or each megabyte when the size is unknown.
void tellProgress(Job& job, guint64 received, guint64 total)
{
    if (total > 0) {
        const int percent = static_cast<int>(received * 100 / total);
        if (percent == job.lastPercent)
            return;
        job.lastPercent = percent;
        job.owner->tell(bilingual(kDownloadPercent, {{"name", job.name}, {"percent", std::to_string(percent)},
                                                     {"received", megabytes(received)}, {"total", megabytes(total)}}));
    } else if (received - job.lastBytes >= 1000000 || job.lastBytes == 0) {
        job.lastBytes = received;
        job.owner->tell(bilingual(kDownloadAmount, {{"name", job.name}, {"received", megabytes(received)}}));
    }
}

// Where the data of a download goes until it is complete: a hidden name of ours in the
// download folder, which is made when missing. False (and told) when it cannot be.
bool preparePart(Job& job)
{
    job.folder = downloadFolder();
    if (g_mkdir_with_parents(job.folder.c_str(), 0755) != 0) {
        job.owner->tell(bilingual(kNoDownloadFolder, {{"folder", job.folder}}));
        return false;
    }
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
        const std::string path = joinPath(job.folder, numberedName(job.name, attempt));
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

gboolean onDecideDestination(WebKitDownload* download, gchar* suggested, gpointer)
{
    Job* job = jobOf(download);
    if (!job)
        return FALSE;
    const char* address = webkit_uri_request_get_uri(webkit_download_get_request(download));
    job->name = plainFileName(suggested ? suggested : "", address ? address : "");
    // The suggestion never reaches the file system: the data goes to a hidden name of ours.
    if (!preparePart(*job)) {
        job->failed = true;
        webkit_download_cancel(download);
        return TRUE;
    }
    gchar* uri = g_filename_to_uri(job->partPath.c_str(), nullptr, nullptr);
    webkit_download_set_allow_overwrite(download, FALSE);
    webkit_download_set_destination(download, uri);
    g_free(uri);
    job->owner->tell(bilingual(kDownloadStarted, {{"name", job->name}}));
    job->networkProcess = networkProcess();
    job->owner->watchNetworkProcess();
    return TRUE;
}

void onReceivedData(WebKitDownload* download, guint64, gpointer)
{
    Job* job = jobOf(download);
    if (!job || job->name.empty())
        return;
    WebKitURIResponse* response = webkit_download_get_response(download);
    tellProgress(*job, webkit_download_get_received_data_length(download),
                 response ? webkit_uri_response_get_content_length(response) : 0);
}

void onFailed(WebKitDownload* download, GError* error, gpointer)
{
    Job* job = jobOf(download);
    if (!job)
        return;
    job->failed = true;
    removePart(job->partPath);
    const std::string name = shownName(*job);
    if (g_error_matches(error, WEBKIT_DOWNLOAD_ERROR, WEBKIT_DOWNLOAD_ERROR_CANCELLED_BY_USER))
        job->owner->tell(bilingual(kDownloadCancelled, {{"name", name}}));
    else
        job->owner->tell(bilingual(kDownloadFailed, {{"name", name}, {"reason", error ? error->message : ""}}));
}

// Ends a download whose data is all in its part file: named under a free name and told
// where; or, when fewer bytes came than were announced (a cut connection), removed.
void completeJob(Job& job, guint64 received, guint64 announced)
{
    if (announced > 0 && received < announced) {
        ::unlink(job.partPath.c_str());
        job.owner->tell(bilingual(kDownloadCut, {{"name", job.name}}));
        return;
    }
    const std::string path = giveName(job);
    if (path.empty()) {
        const std::string reason = std::strerror(errno);
        ::unlink(job.partPath.c_str());
        job.owner->tell(bilingual(kDownloadNotNamed, {{"name", job.name}, {"reason", reason}}));
        return;
    }
    job.owner->tell(bilingual(kDownloadSaved, {{"name", path.substr(job.folder.size() + 1)}, {"folder", job.folder}}));
}

} // namespace

void WebKitDownloads::detach(WebKitDownload* download)
{
    g_signal_handlers_disconnect_matched(download, G_SIGNAL_MATCH_DATA, 0, 0, nullptr, nullptr, this);
    g_signal_handlers_disconnect_by_func(download, reinterpret_cast<gpointer>(onDecideDestination), nullptr);
    g_signal_handlers_disconnect_by_func(download, reinterpret_cast<gpointer>(onReceivedData), nullptr);
    g_signal_handlers_disconnect_by_func(download, reinterpret_cast<gpointer>(onFailed), nullptr);
}

WebKitDownloads::WebKitDownloads(WebKitWebView* view, std::function<void(const std::string&)> tell)
    : view_(view), tell_(std::move(tell))
{
    g_signal_connect(webkit_web_view_get_context(view_), "download-started", G_CALLBACK(onStarted), this);
}

WebKitDownloads::~WebKitDownloads()
{
    g_signal_handlers_disconnect_by_data(webkit_web_view_get_context(view_), this);
    for (WebKitDownload* download : running_) {
        Job* job = jobOf(download);
        detach(download);
        // One whose network process died is never ended by the engine, and cancelling it
        // crashes; so does one that never got a destination, which may be such a one.
        if (job && !job->partPath.empty()) {
            if (job->networkProcess > 0 && alive(job->networkProcess))
                webkit_download_cancel(download);
            removePart(job->partPath);
        }
        g_object_unref(download);
    }
    if (watch_)
        g_source_remove(watch_);
}

void WebKitDownloads::onStarted(void*, WebKitDownload* download, WebKitDownloads* self)
{
    WebKitWebView* from = webkit_download_get_web_view(download);
    if (from && from != self->view_)
        return;
    g_object_set_data_full(G_OBJECT(download), kJobKey, new Job{self, {}, {}, {}},
                           [](gpointer job) { delete static_cast<Job*>(job); });
    self->running_.insert(static_cast<WebKitDownload*>(g_object_ref(download)));
    g_signal_connect(download, "decide-destination", G_CALLBACK(onDecideDestination), nullptr);
    g_signal_connect(download, "received-data", G_CALLBACK(onReceivedData), nullptr);
    g_signal_connect(download, "failed", G_CALLBACK(onFailed), nullptr);
    g_signal_connect(download, "finished",
                     G_CALLBACK(+[](WebKitDownload* d, WebKitDownloads* owner) { owner->finish(d); }), self);
}

void WebKitDownloads::finish(WebKitDownload* download)
{
    Job* job = jobOf(download);
    if (job && !job->failed && !job->partPath.empty()) {
        // The engine ends a download whose connection was cut as if it were complete.
        WebKitURIResponse* response = webkit_download_get_response(download);
        completeJob(*job, webkit_download_get_received_data_length(download),
                    response ? webkit_uri_response_get_content_length(response) : 0);
    }
    g_signal_handlers_disconnect_matched(download, G_SIGNAL_MATCH_DATA, 0, 0, nullptr, nullptr, this);
    running_.erase(download);
    g_object_unref(download);
}

void WebKitDownloads::watchNetworkProcess()
{
    if (watch_)
        return;
    watch_ = g_timeout_add(kWatchMs,
                           +[](gpointer data) -> gboolean {
                               auto* self = static_cast<WebKitDownloads*>(data);
                               self->dropLostDownloads();
                               if (!self->running_.empty())
                                   return G_SOURCE_CONTINUE;
                               self->watch_ = 0;
                               return G_SOURCE_REMOVE;
                           },
                           this);
}

void WebKitDownloads::dropLostDownloads()
{
    for (auto it = running_.begin(); it != running_.end();) {
        WebKitDownload* download = *it;
        Job* job = jobOf(download);
        if (!job || job->networkProcess <= 0 || alive(job->networkProcess)) {
            ++it;
            continue;
        }
        job->failed = true;
        removePart(job->partPath);
        tell(bilingual(kDownloadLost, {{"name", shownName(*job)}}));
        detach(download);
        it = running_.erase(it);
        g_object_unref(download);
    }
}

} // namespace zemora
