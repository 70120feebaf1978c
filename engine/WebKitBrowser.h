#pragma once
#include <memory>
#include <string>

#include "browse/WebBrowserControl.h"

class wxWebView;
class wxWebViewEvent;
typedef struct _WebKitWebView WebKitWebView;
typedef struct _WebKitNavigationAction WebKitNavigationAction;
typedef struct _WebKitBackForwardListItem WebKitBackForwardListItem;

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
    // History steps: the engine steps from the entry it has committed, and drops a step
    // asked for while another is on its way. So one step goes to the engine at a time;
    // clicks made meanwhile are queued and asked for, together, once it has landed, and
    // a step the engine drops is asked for once more.
    int stepBase() const;
    WebKitBackForwardListItem* stepTarget(int direction) const;
    void step(int direction);
    void startStep(WebKitBackForwardListItem* target);
    void landStep();
    void endStep();
    void followHistorySteps();
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
    // Find, zoom and the loading state (WebKitPageTools.cpp).
    void connectPageTools();
    void disconnectPageTools();

    wxWebView* view_;
    // The engine loads a blank page of its own at creation; the window hears of
    // nothing until it has asked for a page itself.
    bool started_ = false;
    bool creationLoadPending_ = true;
    // The history entry of that blank page, if it got one (owned by the engine's list).
    const void* creationItem_ = nullptr;
    bool historySeen_ = false;
    // The entry a step under way goes to and the one it left (references held), the
    // clicks queued behind it (back -1, forward +1 each), and whether it was asked again.
    WebKitBackForwardListItem* stepping_ = nullptr;
    WebKitBackForwardListItem* steppedFrom_ = nullptr;
    int queuedSteps_ = 0;
    bool stepRetried_ = false;
    bool titleAwaited_ = false;
    // A new window the user asked for, opened here once the engine's signal has returned.
    std::string pendingAddress_;
    unsigned pendingSource_ = 0;
    std::unique_ptr<WebKitDownloads> downloads_;
    // The text and case of the search under way, so a repeat moves on to the next match.
    wxString findText_;
    bool findMatchCase_ = false;
};

} // namespace zemora
