#include "engine/WebKitDownloads.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <webkit2/webkit2.h>

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
};

namespace {

using Job = WebKitDownloads::Job;

constexpr char kJobKey[] = "zemora-download-job";
// Names tried before giving up on finding a free one.
constexpr int kMaxAttempts = 10000;

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

// Links the complete data under the first free name; never replaces an existing file.
// Returns the path given, or empty with errno set.
std::string giveName(const Job& job)
{
    for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
        const std::string path = job.folder + "/" + numberedName(job.name, attempt);
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
    job->folder = downloadFolder();
    // The suggestion never reaches the file system: the data goes to a hidden name of ours.
    if (g_mkdir_with_parents(job->folder.c_str(), 0755) != 0) {
        job->owner->tell("无法创建下载文件夹 " + job->folder + " (Cannot create the download folder)");
        job->failed = true;
        webkit_download_cancel(download);
        return TRUE;
    }
    gchar* random = g_uuid_string_random();
    job->partPath = job->folder + "/.zemora-" + random + ".part";
    g_free(random);
    gchar* uri = g_filename_to_uri(job->partPath.c_str(), nullptr, nullptr);
    webkit_download_set_allow_overwrite(download, FALSE);
    webkit_download_set_destination(download, uri);
    g_free(uri);
    job->owner->tell("正在下载 " + job->name + " (Downloading)");
    return TRUE;
}

void onReceivedData(WebKitDownload* download, guint64, gpointer)
{
    Job* job = jobOf(download);
    if (!job || job->name.empty())
        return;
    const guint64 received = webkit_download_get_received_data_length(download);
    WebKitURIResponse* response = webkit_download_get_response(download);
    const guint64 total = response ? webkit_uri_response_get_content_length(response) : 0;
    // Told on each whole percent, or each megabyte when the size is unknown.
    if (total > 0) {
        const int percent = static_cast<int>(received * 100 / total);
        if (percent == job->lastPercent)
            return;
        job->lastPercent = percent;
        job->owner->tell("正在下载 " + job->name + "：" + std::to_string(percent) + "% (Downloading: " +
                          megabytes(received) + " of " + megabytes(total) + ")");
    } else if (received - job->lastBytes >= 1000000 || job->lastBytes == 0) {
        job->lastBytes = received;
        job->owner->tell("正在下载 " + job->name + "：" + megabytes(received) + " (Downloading)");
    }
}

void onFailed(WebKitDownload* download, GError* error, gpointer)
{
    Job* job = jobOf(download);
    if (!job)
        return;
    job->failed = true;
    if (!job->partPath.empty())
        ::unlink(job->partPath.c_str());
    const std::string name = job->name.empty() ? std::string("文件") : job->name;
    if (g_error_matches(error, WEBKIT_DOWNLOAD_ERROR, WEBKIT_DOWNLOAD_ERROR_CANCELLED_BY_USER))
        job->owner->tell("已取消下载 " + name + " (Download cancelled)");
    else
        job->owner->tell("下载 " + name + " 失败，未保存任何文件 (Download failed, nothing was saved: " +
                          std::string(error ? error->message : "") + ")");
}

} // namespace

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
        g_signal_handlers_disconnect_matched(download, G_SIGNAL_MATCH_DATA, 0, 0, nullptr, nullptr, this);
        g_signal_handlers_disconnect_by_func(download, reinterpret_cast<gpointer>(onDecideDestination), nullptr);
        g_signal_handlers_disconnect_by_func(download, reinterpret_cast<gpointer>(onReceivedData), nullptr);
        g_signal_handlers_disconnect_by_func(download, reinterpret_cast<gpointer>(onFailed), nullptr);
        webkit_download_cancel(download);
        if (job && !job->partPath.empty())
            ::unlink(job->partPath.c_str());
        g_object_unref(download);
    }
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
    // The engine ends a download whose connection was cut as if it were complete.
    WebKitURIResponse* response = webkit_download_get_response(download);
    const guint64 announced = response ? webkit_uri_response_get_content_length(response) : 0;
    if (job && !job->failed && announced > 0 && webkit_download_get_received_data_length(download) < announced) {
        job->failed = true;
        ::unlink(job->partPath.c_str());
        tell_("下载 " + job->name + " 失败：连接中断，未保存任何文件 (Download failed, the connection was cut;"
              " nothing was saved)");
    }
    if (job && !job->failed && !job->partPath.empty()) {
        const std::string path = giveName(*job);
        if (path.empty()) {
            const std::string reason = std::strerror(errno);
            ::unlink(job->partPath.c_str());
            tell_("无法保存 " + job->name + "，未保存任何文件 (Cannot save the download, nothing was saved: " +
                  reason + ")");
        } else {
            tell_("已下载 " + path.substr(job->folder.size() + 1) + "，保存在 " + job->folder +
                  " (Download saved in the folder)");
        }
    }
    g_signal_handlers_disconnect_matched(download, G_SIGNAL_MATCH_DATA, 0, 0, nullptr, nullptr, this);
    running_.erase(download);
    g_object_unref(download);
}

} // namespace zemora
