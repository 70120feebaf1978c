#include "engine/WebKitBrowser.h"

#include <cstring>

#include <gdk/gdkx.h>
#include <webkit2/webkit2.h>
#include <wx/webview.h>

#include "base/Failure.h"
#include "browse/AddressCompletion.h"
#include "browse/HomePage.h"

namespace zemora {

namespace {

constexpr char kBlank[] = "about:blank";

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
        WebKitWebContext* context = webkit_web_context_get_default();
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

WebKitWebView* nativeView(wxWebView* view)
{
    return static_cast<WebKitWebView*>(view->GetNativeBackend());
}

} // namespace

WebKitBrowser::WebKitBrowser(wxWindow* parent)
{
    // Must be settled before the engine starts: changing the policy of a loading view
    // drops its navigation. The user's own setting wins.
    if (!hasHardwareRendering())
        g_setenv("WEBKIT_DISABLE_COMPOSITING_MODE", "1", FALSE);
    prepareEngine();
    view_ = wxWebView::New(parent, wxID_ANY, kBlank, wxDefaultPosition, wxDefaultSize,
                           wxWebViewBackendWebKit);
    if (!view_)
        throw Failure(kNoBrowserControl);

    view_->Bind(wxEVT_WEBVIEW_LOADED, &WebKitBrowser::onLoaded, this);
    view_->Bind(wxEVT_WEBVIEW_TITLE_CHANGED, &WebKitBrowser::onTitleChanged, this);
    g_signal_connect(webkit_web_view_get_back_forward_list(nativeView(view_)), "changed",
                     G_CALLBACK(onHistoryChanged), this);
    connectPageTools();
}

WebKitBrowser::~WebKitBrowser()
{
    // The view outlives us by a little (the window destroys its children later).
    view_->Unbind(wxEVT_WEBVIEW_LOADED, &WebKitBrowser::onLoaded, this);
    view_->Unbind(wxEVT_WEBVIEW_TITLE_CHANGED, &WebKitBrowser::onTitleChanged, this);
    g_signal_handlers_disconnect_by_data(webkit_web_view_get_back_forward_list(nativeView(view_)),
                                         this);
    disconnectPageTools();
}

void WebKitBrowser::NavigateTo(const wxString& address)
{
    started_ = true;
    titleAwaited_ = false;
    // Passed as given (no escaping, trimming or validation of our own), except that an
    // address without a scheme is a web address, as the box's own completion has it.
    webkit_web_view_load_uri(nativeView(view_), withDefaultScheme(address.utf8_string()).c_str());
}

bool WebKitBrowser::canGoBack() const
{
    WebKitBackForwardList* list = webkit_web_view_get_back_forward_list(nativeView(view_));
    if (!webkit_web_view_can_go_back(nativeView(view_)))
        return false;
    // The blank page the engine opened at creation is not a page of ours to go back to.
    if (!creationItem_ || webkit_back_forward_list_get_back_item(list) != creationItem_)
        return true;
    GList* back = webkit_back_forward_list_get_back_list(list);
    const bool earlierPages = g_list_length(back) > 1;
    g_list_free(back);
    return earlierPages;
}

void WebKitBrowser::GoBack()
{
    if (!canGoBack())
        throw Failure(kCannotGoBack);
    view_->GoBack();
}

void WebKitBrowser::GoForward()
{
    if (!view_->CanGoForward())
        throw Failure(kCannotGoForward);
    view_->GoForward();
}

void WebKitBrowser::GoHome() { NavigateTo(wxString::FromUTF8(kHomeAddress.data(), kHomeAddress.size())); }

void WebKitBrowser::Stop() { view_->Stop(); }

void WebKitBrowser::Refresh()
{
    if (LocationURL().empty())
        throw Failure(kNoPageToRefresh);
    view_->Reload();
}

wxString WebKitBrowser::LocationURL() const
{
    if (!started_)
        return wxString();
    WebKitBackForwardList* list = webkit_web_view_get_back_forward_list(nativeView(view_));
    const wxString url = view_->GetCurrentURL();
    const bool ownBlankPage = url == kBlank && creationItem_ &&
                              webkit_back_forward_list_get_current_item(list) == creationItem_;
    return ownBlankPage ? wxString() : url;
}

wxString WebKitBrowser::LocationName() const
{
    // A page without a title is named by its address.
    const wxString title = started_ ? view_->GetCurrentTitle() : wxString();
    return title.empty() ? LocationURL() : title;
}

wxWindow* WebKitBrowser::Window() { return view_; }

void WebKitBrowser::reportCommandStates()
{
    if (!started_ || !CommandStateChange)
        return;
    CommandStateChange(CSC_NAVIGATEFORWARD, view_->CanGoForward());
    CommandStateChange(CSC_NAVIGATEBACK, canGoBack());
}

void WebKitBrowser::onLoaded(wxWebViewEvent& event)
{
    event.Skip();
    if (creationLoadPending_) {
        // The end of the engine's own first load (or its cancellation) is not ours.
        creationLoadPending_ = false;
        if (event.GetURL() == kBlank)
            return;
    }
    // The engine ends every load with this event, also a failed or stopped one.
    reportCommandStates();
    // The engine may tell the title only after the load has ended; the completion is then
    // told again once the page has its name.
    titleAwaited_ = view_->GetCurrentTitle().empty();
    if (started_ && DownloadComplete)
        DownloadComplete();
}

void WebKitBrowser::onTitleChanged(wxWebViewEvent& event)
{
    event.Skip();
    if (started_ && TitleChange)
        TitleChange(event.GetString());
    if (titleAwaited_ && !event.GetString().empty()) {
        titleAwaited_ = false;
        if (started_ && DownloadComplete)
            DownloadComplete();
    }
}

void WebKitBrowser::onHistoryChanged(void*, void* added, void*, WebKitBrowser* self)
{
    auto* item = static_cast<WebKitBackForwardListItem*>(added);
    if (item && !self->historySeen_) {
        self->historySeen_ = true;
        if (std::strcmp(webkit_back_forward_list_item_get_uri(item), kBlank) == 0)
            self->creationItem_ = item;
    }
    self->reportCommandStates();
}

} // namespace zemora
