#pragma once
#include <memory>
#include <string>

#include "browse/WebBrowserControl.h"

class wxWebView;
class wxWebViewEvent;
typedef struct _WebKitWebView WebKitWebView;
typedef struct _WebKitNavigationAction WebKitNavigationAction;
typedef struct _WebKitUserStyleSheet WebKitUserStyleSheet;

namespace zemora {

class WebKitDownloads;

// The browser control over wxWebView's WebKitGTK backend.
class WebKitBrowser : public WebBrowserControl {
public:
    explicit WebKitBrowser(wxWindow* parent);
    ~WebKitBrowser() override;
    WebKitBrowser(const WebKitBrowser&) = delete;
    WebKitBrowser& operator=(const WebKitBrowser&) = delete;

    void NavigateTo(const wxString& address) override;
    void GoBack() override;
    void GoForward() override;
    void GoHome() override;
    void Stop() override;
    void Refresh() override;
    void Find(const wxString& text, bool backwards, bool matchCase) override;
    void SetZoom(double level) override;
    double Zoom() const override;
    wxString LocationURL() const override;
    wxString LocationName() const override;
    wxWindow* Window() override;

private:
    bool canGoBack() const;
    void reportCommandStates();
    void onLoaded(wxWebViewEvent& event);
    void onTitleChanged(wxWebViewEvent& event);
    static void onHistoryChanged(void* list, void* added, void* removed, WebKitBrowser* self);
    void takeOverEngineSignals();
    // A page of our own in place of the address's, which stays the current address.
    void showOwnPage(const std::string& html, const std::string& address);
    // A new window the user asked for opens its address here; any other is dropped.
    void openHereIfAsked(WebKitNavigationAction* action);
    void openLater(const std::string& address);
    void tellStatus(const std::string& text);
    // Tells the window a navigation ended, and what it should hear once after the first.
    void tellCompletion();
    // Find, zoom and the loading state (WebKitPageTools.cpp).
    void connectPageTools();
    void disconnectPageTools();
    void showMatchAsSelected(bool shown);

    wxWebView* view_;
    // The engine loads a blank page of its own at creation; the window hears of
    // nothing until it has asked for a page itself.
    bool started_ = false;
    bool creationLoadPending_ = true;
    // The history entry of that blank page, if it got one (owned by the engine's list).
    const void* creationItem_ = nullptr;
    bool historySeen_ = false;
    bool titleAwaited_ = false;
    // A new window the user asked for, opened here once the engine's signal has returned.
    std::string pendingAddress_;
    unsigned pendingSource_ = 0;
    std::unique_ptr<WebKitDownloads> downloads_;
    // The text and case of the search under way, so a repeat moves on to the next match.
    wxString findText_;
    bool findMatchCase_ = false;
    bool findBackwards_ = false;
    // The match shown (from 1; 0 before the first answer) and the matches in the page.
    unsigned findCurrent_ = 0;
    unsigned findMatches_ = 0;
    // Draws the current match in the selection colour while a search is under way.
    WebKitUserStyleSheet* matchStyle_ = nullptr;
};

} // namespace zemora
