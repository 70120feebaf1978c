#pragma once
#include <chrono>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "browse/DownloadGate.h"
#include "engine/AfterSignal.h"
#include "engine/HostedBrowser.h"

typedef struct _GtkWidget GtkWidget;
typedef int gboolean;

class wxNativeWindow;
typedef struct _WebKitWebView WebKitWebView;
typedef struct _WebKitNavigationAction WebKitNavigationAction;
typedef struct _WebKitScriptDialog WebKitScriptDialog;
typedef struct _WebKitUserStyleSheet WebKitUserStyleSheet;
typedef struct _WebKitBackForwardListItem WebKitBackForwardListItem;
typedef struct _WebKitPermissionRequest WebKitPermissionRequest;

namespace zemora {

class WebKitDownloads;

// The browser control: WebKitGTK's view, hosted in the window as a native child.
class WebKitBrowser : public HostedBrowser {
public:
    explicit WebKitBrowser(wxWindow* parent);
    ~WebKitBrowser() override;
    WebKitBrowser(const WebKitBrowser&) = delete;
    WebKitBrowser& operator=(const WebKitBrowser&) = delete;

    void GoBack() override;
    void GoForward() override;
    void GoHome() override;
    void Stop() override;
    void Refresh() override;
    void Print() override;
    void Undo() override;
    void Redo() override;
    void Find(const std::string& text, bool backwards, bool matchCase) override;
    void SetZoom(double level) override;
    double Zoom() const override;
    bool Loading() const override;
    std::string LocationURL() const override;
    std::string LocationName() const override;
    wxWindow* Window() override;
    std::vector<DownloadInfo> Downloads() const override;
    void CancelDownload(unsigned id) override;

    // Asked once a page has shown several dialogs in a row: whether to answer its further
    // dialogs at once, unseen. The default asks the user; tests answer for them.
    std::function<bool()> askSilenceDialogs;
    // Asked before an address the engine cannot show goes to the desktop's program for it:
    // whether it may (the program's name, the address). The default asks the user.
    std::function<bool(const std::string& program, const std::string& address)> askOpenElsewhere;
    // Asked when a page asks to use the location, notifications, the camera or the
    // microphone (the question, naming the site): whether it may. The default asks the user.
    std::function<bool(const std::string& question)> askPermission;
    // Asked when a page starts another download without a new click: whether it may
    // (remembered for the page until it is left). The default asks the user.
    std::function<bool()> askMoreDownloads;

    // The engine's own view, for the engine floor and its tests.
    WebKitWebView* webView() const { return web_; }

protected:
    void open(const std::string& address) override;

private:
    // The page the engine loads at creation.
    static constexpr const char* kBlank = "about:blank";
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
    void onLoaded();
    void onTitleChanged();
    static void onHistoryChanged(void* list, void* added, void* removed, WebKitBrowser* self);
    void connectEngineSignals();
    // Each signal of the engine we answer ourselves (see connectEngineSignals).
    static GtkWidget* onCreate(WebKitWebView* view, WebKitNavigationAction* action, WebKitBrowser* self);
    static gboolean onDecidePolicy(WebKitWebView* view, void* decision, int type, WebKitBrowser* self);
    static gboolean onContextMenu(WebKitWebView* view, void* menu, void* event, void* hit, WebKitBrowser* self);
    static gboolean onLoadFailed(WebKitWebView* view, int event, char* address, void* error, WebKitBrowser* self);
    static gboolean onTlsErrors(WebKitWebView* view, char* address, void* certificate, unsigned errors,
                                WebKitBrowser* self);
    static void onProcessTerminated(WebKitWebView* view, int reason, WebKitBrowser* self);
    static gboolean onScriptDialog(WebKitWebView* view, WebKitScriptDialog* dialog, WebKitBrowser* self);
    static void onLoadChanged(WebKitWebView* view, int event, WebKitBrowser* self);
    // A page of our own in place of the address's, which stays the current address.
    void showOwnPage(const std::string& html, const std::string& address);
    // A new window the user asked for opens its address here; any other is dropped.
    void openHereIfAsked(WebKitNavigationAction* action);
    // Opens what the shown page asked for, once the engine's signal has returned, unless
    // the page may not open it.
    void openForPage(const std::string& address);
    void tellStatus(const std::string& text);
    // The user's own step (an address, home, back, forward, refresh) wins over the page:
    // its dialog goes, and a page process that does not answer is ended and the step taken
    // again.
    void takeUserStep(std::function<void()> step);
    void endUserStep();
    void dismissPageDialog();
    void forgetPageDialog();
    // Tells the window a navigation ended, and what it should hear once after the first.
    void tellCompletion();
    // Keys the engine hands back go to the page even after the focus moved (WebKitKeys.cpp).
    void keepHandedBackKeysWithThePage();
    // An address the engine cannot show (mailto:, tel:...) goes to the desktop's program
    // for it, if the user asked for it and says so (WebKitExternalLinks.cpp); false for
    // an address the engine shows.
    bool forOtherPrograms(const std::string& address, bool byTheUser);
    AfterSignal externalLink_{AfterSignal::Priority::Default};
    // What a page asks to use (WebKitPermissions.cpp): the answers by site and kind, and
    // the questions waiting to be asked.
    static gboolean onPermissionRequest(WebKitWebView* view, WebKitPermissionRequest* request, WebKitBrowser* self);
    void askPermissions();
    void forgetPermissionQuestions();
    struct PermissionQuestion {
        WebKitPermissionRequest* request;
        std::string key;
        std::string text;
    };
    std::map<std::string, bool> permissions_;
    std::deque<PermissionQuestion> permissionQuestions_;
    AfterSignal permissionAsk_;
    // Downloads a page may start (WebKitDownloadGate.cpp).
    void connectDownloads();
    void noteActivation();
    void forgetPageDownloads();
    DownloadVerdict judgeDownload(const std::string& address);
    void askForMoreLater();
    // Find, zoom and the loading state (WebKitPageTools.cpp).
    void connectPageTools();
    void disconnectPageTools();
    void showMatchAsSelected(bool shown);

    // Held by us for our whole life; the host window owns its widget's place in the window.
    WebKitWebView* web_;
    wxNativeWindow* host_;
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
    // A new window the user asked for, opened here once the engine's signal has returned.
    std::string pendingAddress_;
    AfterSignal pendingOpen_;
    // The user's step under way until the engine starts a load for it, and its watchdog.
    std::function<void()> userStep_;
    unsigned userStepWatch_ = 0;
    // The page dialog the engine shows, and how many this page has shown.
    WebKitScriptDialog* shownDialog_ = nullptr;
    int dialogsInRow_ = 0;
    bool dialogsSilenced_ = false;
    // The page the dialogs were counted on, and when it last showed one.
    std::string dialogPage_;
    std::chrono::steady_clock::time_point lastDialogAt_;
    // Where the load under way started, or the last redirect a page could have made.
    std::string loadAddress_;
    std::unique_ptr<WebKitDownloads> downloads_;
    // The user's last click or key in the page (or own navigation), the downloads started
    // since, the page's answer about more, and the question under way.
    std::chrono::steady_clock::time_point lastActivation_;
    int downloadsSinceActivation_ = 0;
    std::optional<bool> morePermitted_;
    AfterSignal moreQuestion_;
    // Addresses of the top page's own loads that became downloads.
    std::set<std::string> topLoadDownloads_;
    // The text and case of the search under way, so a repeat moves on to the next match.
    std::string findText_;
    bool findMatchCase_ = false;
    // The requests the engine has yet to answer, oldest first: a new search or a step.
    struct FindStep {
        bool fresh;
        bool backwards;
    };
    std::deque<FindStep> findSteps_;
    // The match shown (from 1; 0 before the first answer) and the matches in the page.
    unsigned findCurrent_ = 0;
    unsigned findMatches_ = 0;
    // Draws the current match in the selection colour while a search is under way.
    WebKitUserStyleSheet* matchStyle_ = nullptr;
};

} // namespace zemora
