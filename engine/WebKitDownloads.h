#pragma once
// Saves what a page offers for download into the user's download folder, without a
// question: under a hidden temporary name until complete, then under a free plain name.
// An existing file is never replaced; a failed download leaves nothing behind.
#include <functional>
#include <set>
#include <string>

typedef struct _WebKitWebView WebKitWebView;
typedef struct _WebKitDownload WebKitDownload;
typedef struct SoupMessageHeaders SoupMessageHeaders;

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
    struct Fetch;
    void tell(const std::string& text) { tell_(text); }

    // Whether a response offered for download has a suggested name the engine cannot
    // take (its network process aborts on a "/" in it); `suggested` receives the name.
    static bool engineCannotSave(SoupMessageHeaders* headers, std::string& suggested);
    // Whether this process reads such names without the library's fault (SoupNameFix.cpp).
    static bool nameReaderIsSafe();
    // Saves such a response by fetching its address ourselves, as every download is saved.
    void fetch(const std::string& address, const std::string& suggested);
    void forget(Fetch* fetch);
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
    std::set<Fetch*> fetches_;
    unsigned watch_ = 0;

    friend struct Job;
};

} // namespace zemora
