#include "engine/WebKitBrowser.h"

#include <cstring>

#include <gdk/gdkx.h>
#include <webkit2/webkit2.h>
#include <wx/nativewin.h>

#include "base/Addresses.h"
#include "base/Failure.h"
#include "base/Limits.h"
#include "base/Texts.h"
#include "browse/AddressCompletion.h"
#include "browse/ErrorPages.h"
#include "browse/HomePage.h"
#include "browse/PageRequests.h"
#include "browse/PageTitles.h"
#include "engine/WebKitDownloads.h"
#include "engine/WebKitWebsiteData.h"

namespace zemora {

namespace {

constexpr char kSelfKey[] = "zemora-browser";

// The engine's text, which it answers null when there is none.
std::string textOf(const char* utf8) { return utf8 ? utf8 : std::string(); }

void serveHomePage(WebKitURISchemeRequest* request, gpointer)
{
    static const std::string page = homePageHtml();
    GInputStream* stream = g_memory_input_stream_new_from_data(page.data(), static_cast<gssize>(page.size()), nullptr);
    webkit_uri_scheme_request_finish(request, stream, static_cast<gint64>(page.size()), "text/html");
    g_object_unref(stream);
}

// Settings of the engine that must be in place before it starts its first web process.
void prepareEngine()
{
    static const bool prepared = [] {
        WebKitWebContext* context = userWebContext();
        // Pages run in a web process confined by bubblewrap: no access to the user's files
        // beyond what the engine grants, no other processes, no devices.
        webkit_web_context_set_sandbox_enabled(context, TRUE);
        webkit_web_context_register_uri_scheme(context, std::string(kHomeScheme).c_str(), serveHomePage, nullptr,
                                               nullptr);
        return true;
    }();
    (void)prepared;
}

// A display without direct rendering (a virtual one, or no GPU) would composite pages with
// a software GL: slower to start and far heavier than drawing them directly.
bool hasHardwareRendering()
{
    GdkDisplay* display = gdk_display_get_default();
    if (!GDK_IS_X11_DISPLAY(display))
        return true;
    int opcode = 0, event = 0, error = 0;
    return XQueryExtension(gdk_x11_display_get_xdisplay(display), "DRI3", &opcode, &event, &error);
}

// A response the engine cannot show, or one the server marks as an attachment.
bool isDownload(WebKitResponsePolicyDecision* decision)
{
    if (!webkit_response_policy_decision_is_main_frame_main_resource(decision))
        return false;
    if (!webkit_response_policy_decision_is_mime_type_supported(decision))
        return true;
    WebKitURIResponse* response = webkit_response_policy_decision_get_response(decision);
    SoupMessageHeaders* headers = webkit_uri_response_get_http_headers(response);
    const char* disposition = headers ? soup_message_headers_get_one(headers, "Content-Disposition") : nullptr;
    return disposition && g_ascii_strncasecmp(disposition, "attachment", 10) == 0;
}

} // namespace

WebKitBrowser::WebKitBrowser(wxWindow* parent)
{
    // Must be settled before the engine starts: changing the policy of a loading view
    // drops its navigation. The user's own setting wins.
    if (!hasHardwareRendering())
        g_setenv("WEBKIT_DISABLE_COMPOSITING_MODE", "1", FALSE);
    prepareEngine();
    web_ = WEBKIT_WEB_VIEW(g_object_ref_sink(webkit_web_view_new_with_context(userWebContext())));
    host_ = new wxNativeWindow(parent, wxID_ANY, GTK_WIDGET(web_));
    if (!host_->GetHandle()) {
        g_object_unref(web_);
        throw Failure(kNoBrowserControl);
    }
    // The engine's helper processes start now, while the rest of the window is built.
    webkit_web_view_load_uri(web_, kBlank);
    g_signal_connect(web_, "load-changed", G_CALLBACK(+[](WebKitWebView*, WebKitLoadEvent event, WebKitBrowser* self) {
                         if (event == WEBKIT_LOAD_FINISHED)
                             self->onLoaded();
                     }),
                     this);
    g_signal_connect(web_, "notify::title",
                     G_CALLBACK(+[](WebKitWebView*, GParamSpec*, WebKitBrowser* self) { self->onTitleChanged(); }),
                     this);
    g_signal_connect(webkit_web_view_get_back_forward_list(web_), "changed", G_CALLBACK(onHistoryChanged), this);
    g_object_set_data(G_OBJECT(web_), kSelfKey, this);
    followHistorySteps(); // first: a failure's own handler ends the signal
    connectEngineSignals();
    connectDownloads();
    connectPageTools();
    keepHandedBackKeysWithThePage();
}

void WebKitBrowser::connectEngineSignals()
{
    WebKitWebView* web = webView();
    // This is a one-window browser: a window the user asked for opens here, any other
    // stays blocked.
    g_signal_connect(web, "create", G_CALLBACK(onCreate), this);
    g_signal_connect(web, "decide-policy", G_CALLBACK(onDecidePolicy), this);
    g_signal_connect(web, "context-menu", G_CALLBACK(onContextMenu), this);
    g_signal_connect(web, "load-failed", G_CALLBACK(onLoadFailed), this);
    g_signal_connect(web, "load-failed-with-tls-errors", G_CALLBACK(onTlsErrors), this);
    g_signal_connect(web, "web-process-terminated", G_CALLBACK(onProcessTerminated), this);
    g_signal_connect(web, "script-dialog", G_CALLBACK(onScriptDialog), this);
    g_signal_connect(web, "load-changed", G_CALLBACK(onLoadChanged), this);
    g_signal_connect(web, "permission-request", G_CALLBACK(onPermissionRequest), this);
}

GtkWidget* WebKitBrowser::onCreate(WebKitWebView*, WebKitNavigationAction* action, WebKitBrowser* self)
{
    self->openHereIfAsked(action);
    return nullptr;
}

gboolean WebKitBrowser::onDecidePolicy(WebKitWebView*, void* decisionObject, int type, WebKitBrowser* self)
{
    auto* decision = static_cast<WebKitPolicyDecision*>(decisionObject);
    if (type == WEBKIT_POLICY_DECISION_TYPE_NEW_WINDOW_ACTION) {
        self->openHereIfAsked(
            webkit_navigation_policy_decision_get_navigation_action(WEBKIT_NAVIGATION_POLICY_DECISION(decision)));
        webkit_policy_decision_ignore(decision);
        return TRUE;
    }
    if (type == WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION) {
        WebKitNavigationAction* action =
            webkit_navigation_policy_decision_get_navigation_action(WEBKIT_NAVIGATION_POLICY_DECISION(decision));
        const char* address = webkit_uri_request_get_uri(webkit_navigation_action_get_request(action));
        // The user's own navigation, or a page's that the user clicked for.
        const bool byTheUser = self->userStep_ || webkit_navigation_action_is_user_gesture(action);
        if (!address || !self->forOtherPrograms(address, byTheUser))
            return FALSE;
        webkit_policy_decision_ignore(decision); // the page stays
        return TRUE;
    }
    if (type != WEBKIT_POLICY_DECISION_TYPE_RESPONSE)
        return FALSE;
    auto* response = WEBKIT_RESPONSE_POLICY_DECISION(decision);
    if (!isDownload(response))
        return FALSE;
    self->topLoadDownloads_.insert(webkit_uri_request_get_uri(webkit_response_policy_decision_get_request(response)));
    webkit_policy_decision_download(decision);
    return TRUE;
}

// The menu's "Open Link in New Window" opens the link here.
gboolean WebKitBrowser::onContextMenu(WebKitWebView*, void* menuObject, void*, void* hitObject, WebKitBrowser* self)
{
    auto* menu = static_cast<WebKitContextMenu*>(menuObject);
    const char* link = webkit_hit_test_result_get_link_uri(static_cast<WebKitHitTestResult*>(hitObject));
    for (guint i = 0; link && i < webkit_context_menu_get_n_items(menu); ++i) {
        WebKitContextMenuItem* item = webkit_context_menu_get_item_at_position(menu, i);
        if (webkit_context_menu_item_get_stock_action(item) != WEBKIT_CONTEXT_MENU_ACTION_OPEN_LINK_IN_NEW_WINDOW)
            continue;
        GSimpleAction* action = g_simple_action_new("zemora-open-link-here", nullptr);
        g_object_set_data_full(G_OBJECT(action), "address", g_strdup(link), g_free);
        // The browser is looked up at activation: the menu may outlive it.
        g_signal_connect_object(
            action, "activate", G_CALLBACK(+[](GSimpleAction* a, GVariant*, WebKitWebView* view) {
                if (auto* browser = static_cast<WebKitBrowser*>(g_object_get_data(G_OBJECT(view), kSelfKey)))
                    browser->openForPage(static_cast<const char*>(g_object_get_data(G_OBJECT(a), "address")));
            }),
            self->webView(), G_CONNECT_DEFAULT);
        webkit_context_menu_remove(menu, item);
        webkit_context_menu_insert(
            menu,
            webkit_context_menu_item_new_from_gaction(G_ACTION(action), bilingual(kOpenLinkHere).c_str(), nullptr),
            static_cast<gint>(i));
        g_object_unref(action);
    }
    // The page itself can be printed, once the menu is gone.
    GSimpleAction* print = g_simple_action_new("zemora-print", nullptr);
    g_signal_connect_object(
        print, "activate", G_CALLBACK(+[](GSimpleAction*, GVariant*, WebKitWebView* view) {
            g_idle_add_full(
                G_PRIORITY_DEFAULT,
                +[](gpointer data) {
                    if (auto* browser = static_cast<WebKitBrowser*>(g_object_get_data(G_OBJECT(data), kSelfKey)))
                        browser->Print();
                    return G_SOURCE_REMOVE;
                },
                g_object_ref(view), g_object_unref);
        }),
        self->webView(), G_CONNECT_DEFAULT);
    webkit_context_menu_append(menu, webkit_context_menu_item_new_separator());
    webkit_context_menu_append(
        menu, webkit_context_menu_item_new_from_gaction(G_ACTION(print), bilingual(kPrintPage).c_str(), nullptr));
    g_object_unref(print);
    return FALSE;
}

void WebKitBrowser::onLoadChanged(WebKitWebView* view, int event, WebKitBrowser* self)
{
    // The engine has taken the user's step up.
    self->endUserStep();
    const char* uri = webkit_web_view_get_uri(view);
    const std::string address = uri ? uri : "";
    if (event == WEBKIT_LOAD_STARTED) {
        self->loadAddress_ = address;
    } else if (event == WEBKIT_LOAD_REDIRECTED) {
        // Followed only as far as a page could have gone itself.
        if (pageMayOpen(self->loadAddress_, address))
            self->loadAddress_ = address;
    } else if (event == WEBKIT_LOAD_COMMITTED) {
        // Another page: its dialogs are counted afresh. A page that reloads itself soon
        // after a dialog is the same page, or it could ask for ever, one dialog a load.
        const bool reloaded = address == self->dialogPage_
                              && std::chrono::steady_clock::now() - self->lastDialogAt_
                                     < std::chrono::milliseconds(kDialogCountAcrossReloadsMs);
        if (!reloaded) {
            self->dialogsInRow_ = 0;
            self->dialogsSilenced_ = false;
        }
        self->dialogPage_ = address;
        self->forgetPageDialog();
        self->forgetPageDownloads();
    }
}

void WebKitBrowser::openHereIfAsked(WebKitNavigationAction* action)
{
    WebKitURIRequest* request = action ? webkit_navigation_action_get_request(action) : nullptr;
    const char* address = request ? webkit_uri_request_get_uri(request) : nullptr;
    if (action && webkit_navigation_action_is_user_gesture(action) && address && *address
        && std::strcmp(address, kBlank) != 0 && !forOtherPrograms(address, true))
        openForPage(address);
}

void WebKitBrowser::openForPage(const std::string& address)
{
    // The page that asked is judged by the top page's address: the engine does not say
    // which frame asked, and a frame can never have more rights than its top page here.
    const char* page = webkit_web_view_get_uri(webView());
    if (!pageMayOpen(page ? page : "", address)) {
        tellStatus(bilingual(kPageRequestRefused, {{"address", address.substr(0, kMaxToldAddress)}}));
        return;
    }
    // The last address asked for meanwhile is the one opened.
    pendingAddress_ = address;
    pendingOpen_.run([this] { open(pendingAddress_); }); // passed the gate: it has its scheme
}

void WebKitBrowser::tellStatus(const std::string& text)
{
    if (StatusTextChange)
        StatusTextChange(text);
}

WebKitBrowser::~WebKitBrowser()
{
    // The view outlives us by a little (the window destroys its children later).
    g_signal_handlers_disconnect_by_data(webkit_web_view_get_back_forward_list(web_), this);
    disconnectPageTools();
    g_signal_handlers_disconnect_by_data(web_, this);
    g_object_set_data(G_OBJECT(web_), kSelfKey, nullptr);
    pendingOpen_.cancel();
    moreQuestion_.cancel();
    externalLink_.cancel();
    forgetPermissionQuestions();
    endUserStep();
    forgetPageDialog();
    endStep();
    downloads_.reset();
    g_object_unref(web_);
}

void WebKitBrowser::open(const std::string& address)
{
    endStep();
    started_ = true;
    // Passed as given: the scheme is settled before it gets here.
    takeUserStep([this, uri = address] { webkit_web_view_load_uri(webView(), uri.c_str()); });
}

void WebKitBrowser::GoHome() { NavigateTo(std::string(kHomeAddress)); }

void WebKitBrowser::Stop()
{
    // Stop means the page too: its dialog goes and no other comes, and a page process stuck
    // in a script is ended, leaving our page that Refresh loads again.
    dismissPageDialog();
    dialogsSilenced_ = true;
    endStep();
    webkit_web_view_stop_loading(web_);
    if (!webkit_web_view_get_is_web_process_responsive(webView()) && !LocationURL().empty()) {
        const std::string address = LocationURL();
        webkit_web_view_terminate_web_process(webView());
        showOwnPage(processEndedPage(address, false), address);
    }
}

void WebKitBrowser::Refresh()
{
    if (LocationURL().empty())
        throw Failure(kNoPageToRefresh);
    endStep();
    takeUserStep([this] { webkit_web_view_reload(web_); });
}

std::string WebKitBrowser::LocationURL() const
{
    if (!started_)
        return {};
    WebKitBackForwardList* list = webkit_web_view_get_back_forward_list(webView());
    const std::string url = textOf(webkit_web_view_get_uri(web_));
    const bool ownBlankPage =
        url == kBlank && creationItem_ && webkit_back_forward_list_get_current_item(list) == creationItem_;
    return ownBlankPage ? std::string() : url;
}

std::string WebKitBrowser::LocationName() const
{
    // A page without a title is named by its address.
    const std::string title = started_ ? textOf(webkit_web_view_get_title(web_)) : std::string();
    return title.empty() ? LocationURL() : title;
}

wxWindow* WebKitBrowser::Window() { return host_; }

void WebKitBrowser::onLoaded()
{
    if (creationLoadPending_) {
        // The end of the engine's own first load (or its cancellation) is not ours.
        creationLoadPending_ = false;
        const char* uri = webkit_web_view_get_uri(web_);
        if (!uri || std::strcmp(uri, kBlank) == 0)
            return;
    }
    // The engine ends every load with this event, also a failed or stopped one: the
    // completion is told once a navigation. A title that comes later is only a title.
    reportCommandStates();
    tellCompletion();
    // A page that has no title of its own (a PDF, a picture) is named by its file.
    const char* title = webkit_web_view_get_title(web_);
    if (started_ && TitleChange && (!title || !*title))
        TitleChange(untitledPageName(LocationURL()));
}

void WebKitBrowser::onTitleChanged()
{
    if (started_ && TitleChange)
        TitleChange(textOf(webkit_web_view_get_title(web_)));
}

void WebKitBrowser::tellCompletion()
{
    if (!started_ || !DownloadComplete)
        return;
    DownloadComplete();
    // Said under the first complete page, where it stays until the next one.
    if (const std::string notice = takeWebsiteDataNotice(); !notice.empty())
        tellStatus(notice);
}

} // namespace zemora
