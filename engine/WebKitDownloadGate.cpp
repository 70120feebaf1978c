// Which downloads a page may start: the user's clicks and keys in the page, counted per
// page, and the sites involved, judged by browse/DownloadGate.
#include <libsoup/soup.h>
#include <webkit2/webkit2.h>

#include "base/Limits.h"
#include "engine/WebKitBrowser.h"
#include "engine/WebKitDownloads.h"

namespace zemora {

namespace {

// The registrable domain of an address's host ("news.example.com.cn" is
// "example.com.cn"); the host itself where there is none (an address, "localhost").
std::string siteOf(const std::string& address)
{
    std::string host = hostOf(address);
    if (host.empty())
        return host;
    const char* domain = soup_tld_get_base_domain(host.c_str(), nullptr);
    return domain ? domain : host;
}

// A key that means the user is doing something in the page: not a modifier held alone,
// nor Esc, which stops.
bool activates(const GdkEventKey* key) { return !key->is_modifier && key->keyval != GDK_KEY_Escape; }

} // namespace

void WebKitBrowser::connectDownloads()
{
    WebKitDownloads::Hooks hooks;
    hooks.tell = [this](const std::string& text) {
        if (DownloadStatusChange)
            DownloadStatusChange(text);
        else
            tellStatus(text);
    };
    hooks.changed = [this] {
        if (DownloadsChange)
            DownloadsChange();
    };
    hooks.judge = [this](const std::string& address) { return judgeDownload(address); };
    downloads_ = std::make_unique<WebKitDownloads>(web_, std::move(hooks));
    g_signal_connect(web_, "button-press-event", G_CALLBACK(+[](GtkWidget*, GdkEvent*, WebKitBrowser* self) {
                         self->noteActivation();
                         return FALSE;
                     }),
                     this);
    g_signal_connect(web_, "key-press-event", G_CALLBACK(+[](GtkWidget*, GdkEventKey* key, WebKitBrowser* self) {
                         if (activates(key))
                             self->noteActivation();
                         return FALSE;
                     }),
                     this);
}

void WebKitBrowser::noteActivation()
{
    lastActivation_ = std::chrono::steady_clock::now();
    downloadsSinceActivation_ = 0;
}

void WebKitBrowser::forgetPageDownloads()
{
    // A click in the page left belongs to that page alone.
    lastActivation_ = {};
    downloadsSinceActivation_ = 0;
    morePermitted_.reset();
}

DownloadVerdict WebKitBrowser::judgeDownload(const std::string& address)
{
    DownloadStart start;
    start.topPageLoad = topLoadDownloads_.erase(address) > 0;
    start.recentActivation =
        std::chrono::steady_clock::now() - lastActivation_ < std::chrono::milliseconds(kUserActivationMs);
    const char* page = webkit_web_view_get_uri(web_);
    start.pageSite = siteOf(page ? page : "");
    start.downloadSite = siteOf(address);
    start.sinceActivation = downloadsSinceActivation_;
    start.morePermitted = morePermitted_;
    const DownloadVerdict verdict = zemora::judgeDownload(start);
    if (verdict != DownloadVerdict::Refuse)
        ++downloadsSinceActivation_;
    if (verdict == DownloadVerdict::AskForMore)
        askForMoreLater();
    return verdict;
}

void WebKitBrowser::askForMoreLater()
{
    // Asked once, after the engine's signal has returned; downloads that start meanwhile
    // wait for the same answer.
    moreQuestion_.run([this] {
        const bool allowed = askMoreDownloads && askMoreDownloads();
        morePermitted_ = allowed;
        downloads_->answerForMore(allowed);
    });
}

std::vector<DownloadInfo> WebKitBrowser::Downloads() const { return downloads_->list(); }

void WebKitBrowser::CancelDownload(unsigned id) { downloads_->cancel(id); }

} // namespace zemora
