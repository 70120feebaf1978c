#include "browse/WebKitBrowser.h"

#include <cstring>

#include <gdk/gdkx.h>
#include <webkit2/webkit2.h>
#include <wx/webview.h>

#include "app/Failure.h"

namespace zemora {

namespace {

constexpr char kBlank[] = "about:blank";
constexpr char kHomeScheme[] = "zemora";
constexpr char kHomeAddress[] = "zemora:home";

constexpr char kHomePage[] = R"html(<!DOCTYPE html>
<html lang="zh-CN"><head><meta charset="utf-8"><title>Zemora浏览器主页</title>
<style>
body { font-family: sans-serif; margin: 2em auto; max-width: 40em; color: #333; }
h1 { color: #8a6d3b; font-size: 1.6em; }
ul { line-height: 1.8; }
a { color: #1a5fb4; }
</style></head>
<body>
<h1>欢迎使用 Zemora浏览器 (Welcome)</h1>
<p>在地址栏输入网址或网站名称，按回车或点击 “GO...” 即可打开。
(Type an address or a site name in the address box and press Enter or “GO...”.)</p>
<ul>
<li><a href="http://www.baidu.com">百度</a></li>
<li><a href="http://www.msn.cn">MSN</a></li>
<li><a href="http://www.sohu.com">搜狐</a></li>
<li><a href="http://www.163.com">网易</a></li>
<li><a href="http://www.sina.com.cn">新浪</a></li>
<li><a href="http://cn.yahoo.com">Yahoo</a></li>
</ul>
<p>收藏夹中的网站可从地址栏右侧的下拉列表打开。(Favorites open from the drop-down list.)</p>
</body></html>
)html";

void serveHomePage(WebKitURISchemeRequest* request, gpointer)
{
    GInputStream* stream =
        g_memory_input_stream_new_from_data(kHomePage, std::strlen(kHomePage), nullptr);
    webkit_uri_scheme_request_finish(request, stream, std::strlen(kHomePage), "text/html");
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
        webkit_web_context_register_uri_scheme(context, kHomeScheme, serveHomePage, nullptr,
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

const char* WebKitBrowser::homeAddress() { return kHomeAddress; }

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
        throw Failure("无法创建网页浏览控件", "Cannot create the web browser control");

    view_->Bind(wxEVT_WEBVIEW_LOADED, &WebKitBrowser::onLoaded, this);
    view_->Bind(wxEVT_WEBVIEW_TITLE_CHANGED, &WebKitBrowser::onTitleChanged, this);
    g_signal_connect(webkit_web_view_get_back_forward_list(nativeView(view_)), "changed",
                     G_CALLBACK(onHistoryChanged), this);
}

WebKitBrowser::~WebKitBrowser()
{
    // The view outlives us by a little (the window destroys its children later).
    view_->Unbind(wxEVT_WEBVIEW_LOADED, &WebKitBrowser::onLoaded, this);
    view_->Unbind(wxEVT_WEBVIEW_TITLE_CHANGED, &WebKitBrowser::onTitleChanged, this);
    g_signal_handlers_disconnect_by_data(webkit_web_view_get_back_forward_list(nativeView(view_)),
                                         this);
}

void WebKitBrowser::NavigateTo(const wxString& address)
{
    started_ = true;
    titleAwaited_ = false;
    // Passed exactly as given: no escaping, trimming or validation of our own.
    webkit_web_view_load_uri(nativeView(view_), address.utf8_str());
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
        throw Failure("无法后退：没有更早的页面", "Cannot go back: there is no earlier page");
    view_->GoBack();
}

void WebKitBrowser::GoForward()
{
    if (!view_->CanGoForward())
        throw Failure("无法前进：没有更晚的页面", "Cannot go forward: there is no later page");
    view_->GoForward();
}

void WebKitBrowser::GoHome() { NavigateTo(kHomeAddress); }

void WebKitBrowser::Stop() { view_->Stop(); }

void WebKitBrowser::Refresh()
{
    if (LocationURL().empty())
        throw Failure("没有可刷新的页面", "There is no page to refresh");
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
