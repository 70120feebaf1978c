#pragma once
// Saves what a page offers for download into the user's download folder, without a
// question: under a hidden temporary name until complete, then under a free plain name.
// An existing file is never replaced; a failed download leaves nothing behind. Keeps this
// session's downloads for the list, and asks the browser at each start whether the page
// may have it.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "browse/DownloadGate.h"
#include "browse/DownloadInfo.h"

typedef struct _WebKitWebView WebKitWebView;
typedef struct _WebKitDownload WebKitDownload;

namespace zemora {

class WebKitDownloads {
public:
    struct Hooks {
        // The progress and the outcome, as text for the user (UTF-8).
        std::function<void(const std::string&)> tell;
        // Something in the list changed.
        std::function<void()> changed;
        // Whether the page may have a download that starts from this address.
        std::function<DownloadVerdict(const std::string& address)> judge;
        // A download waits for the user's answer whether the page may download more; the
        // answer comes through answerForMore().
        std::function<void()> askForMore;
    };
    WebKitDownloads(WebKitWebView* view, Hooks hooks);
    // Running downloads are cancelled and their partial data removed.
    ~WebKitDownloads();
    WebKitDownloads(const WebKitDownloads&) = delete;
    WebKitDownloads& operator=(const WebKitDownloads&) = delete;

    // This session's downloads, oldest first.
    std::vector<DownloadInfo> list() const;
    // Cancels a running or waiting download; its partial data goes.
    void cancel(unsigned id);
    // The user's answer for the downloads waiting for it.
    void answerForMore(bool allowed);

    struct Job;
    void tell(const std::string& text) { hooks_.tell(text); }
    void changed()
    {
        if (hooks_.changed)
            hooks_.changed();
    }
    // The engine's network process may die under a download, which then never ends: the
    // process is watched while downloads run, and a lost one is told and removed.
    void watchNetworkProcess();

private:
    static void onStarted(void* context, WebKitDownload* download, WebKitDownloads* self);
    Job* jobOf(WebKitDownload* download) const;
    void finish(Job& job);
    void dropLostDownloads();
    // Our handlers off a download the engine may still hold, and our reference to it.
    void release(Job& job);

    WebKitWebView* view_;
    Hooks hooks_;
    std::vector<std::unique_ptr<Job>> jobs_;
    unsigned watch_ = 0;

    friend struct Job;
};

} // namespace zemora
