#pragma once
// Saves what a page offers for download into the user's download folder, without a
// question: under a hidden temporary name until complete, then under a free plain name.
// An existing file is never replaced; a failed download leaves nothing behind.
#include <functional>
#include <set>
#include <string>

typedef struct _WebKitWebView WebKitWebView;
typedef struct _WebKitDownload WebKitDownload;

namespace zemora {

class WebKitDownloads {
public:
    // tell receives the progress and the outcome, as text for the user (UTF-8).
    WebKitDownloads(WebKitWebView* view, std::function<void(const std::string&)> tell);
    // Running downloads are cancelled and their partial data removed.
    ~WebKitDownloads();
    WebKitDownloads(const WebKitDownloads&) = delete;
    WebKitDownloads& operator=(const WebKitDownloads&) = delete;

    struct Job;
    void tell(const std::string& text) { tell_(text); }

    // The engine's network process may die under a download, which then never ends: the
    // process is watched while downloads run, and a lost one is told and removed.
    void watchNetworkProcess();

private:
    static void onStarted(void* context, WebKitDownload* download, WebKitDownloads* self);
    void finish(WebKitDownload* download);
    void dropLostDownloads();
    // Our handlers off a download the engine may still hold.
    void detach(WebKitDownload* download);

    WebKitWebView* view_;
    std::function<void(const std::string&)> tell_;
    std::set<WebKitDownload*> running_;
    unsigned watch_ = 0;

    friend struct Job;
};

} // namespace zemora
