// Find in page, page zoom and the loading state: the engine's own tools, told to the window.
#include <algorithm>

#include <webkit2/webkit2.h>
#include <wx/webview.h>

#include "engine/WebKitBrowser.h"

namespace zemora {

namespace {

// More matches than this are not counted one by one.
constexpr guint kMaxMatches = 1000;

WebKitWebView* nativeView(wxWebView* view) { return static_cast<WebKitWebView*>(view->GetNativeBackend()); }

WebKitFindController* findController(wxWebView* view)
{
    return webkit_web_view_get_find_controller(nativeView(view));
}

// The engine takes the wheel for itself; with Ctrl held it is the window's (zoom), so it
// is handed to the control's window as the toolkit's own wheel event first.
gboolean onScroll(GtkWidget*, GdkEventScroll* scroll, wxWebView* view)
{
    if (!(scroll->state & GDK_CONTROL_MASK))
        return FALSE;
    int rotation = 0;
    switch (scroll->direction) {
    case GDK_SCROLL_UP: rotation = 120; break;
    case GDK_SCROLL_DOWN: rotation = -120; break;
    case GDK_SCROLL_SMOOTH: rotation = scroll->delta_y < 0 ? 120 : scroll->delta_y > 0 ? -120 : 0; break;
    default: return FALSE;
    }
    if (rotation == 0)
        return FALSE;
    wxMouseEvent wheel(wxEVT_MOUSEWHEEL);
    wheel.SetEventObject(view);
    wheel.SetPosition(wxPoint(static_cast<int>(scroll->x), static_cast<int>(scroll->y)));
    wheel.SetControlDown(true);
    wheel.SetShiftDown(scroll->state & GDK_SHIFT_MASK);
    wheel.SetAltDown(scroll->state & GDK_MOD1_MASK);
    wheel.m_wheelRotation = rotation;
    wheel.m_wheelDelta = 120;
    wheel.m_linesPerAction = 3;
    wheel.m_wheelAxis = wxMOUSE_WHEEL_VERTICAL;
    return view->HandleWindowEvent(wheel) ? TRUE : FALSE;
}

} // namespace

void WebKitBrowser::connectPageTools()
{
    g_signal_connect(nativeView(view_), "scroll-event", G_CALLBACK(onScroll), view_);
    WebKitFindController* find = findController(view_);
    g_signal_connect(find, "found-text", G_CALLBACK(+[](WebKitFindController*, guint matches, WebKitBrowser* self) {
                         if (self->FindResult)
                             self->FindResult(std::min(matches, kMaxMatches));
                     }),
                     this);
    g_signal_connect(find, "failed-to-find-text", G_CALLBACK(+[](WebKitFindController*, WebKitBrowser* self) {
                         if (self->FindResult)
                             self->FindResult(0);
                     }),
                     this);
    g_signal_connect(nativeView(view_), "notify::is-loading",
                     G_CALLBACK(+[](WebKitWebView* view, GParamSpec*, WebKitBrowser* self) {
                         if (self->started_ && self->LoadingChange)
                             self->LoadingChange(webkit_web_view_is_loading(view));
                     }),
                     this);
}

void WebKitBrowser::disconnectPageTools()
{
    g_signal_handlers_disconnect_by_data(findController(view_), this);
    g_signal_handlers_disconnect_by_data(nativeView(view_), this);
    g_signal_handlers_disconnect_by_data(nativeView(view_), view_);
}

void WebKitBrowser::Find(const wxString& text, bool backwards, bool matchCase)
{
    WebKitFindController* find = findController(view_);
    if (text.empty()) {
        findText_.clear();
        webkit_find_controller_search_finish(find);
        return;
    }
    if (text == findText_ && matchCase == findMatchCase_) {
        if (backwards)
            webkit_find_controller_search_previous(find);
        else
            webkit_find_controller_search_next(find);
        return;
    }
    findText_ = text;
    findMatchCase_ = matchCase;
    guint32 options = WEBKIT_FIND_OPTIONS_WRAP_AROUND;
    if (!matchCase)
        options |= WEBKIT_FIND_OPTIONS_CASE_INSENSITIVE;
    if (backwards)
        options |= WEBKIT_FIND_OPTIONS_BACKWARDS;
    webkit_find_controller_search(find, text.utf8_str(), options, kMaxMatches);
}

void WebKitBrowser::SetZoom(double level) { webkit_web_view_set_zoom_level(nativeView(view_), level); }

double WebKitBrowser::Zoom() const { return webkit_web_view_get_zoom_level(nativeView(view_)); }

// The engine's own blank page at creation is no load of the window's.
bool WebKitBrowser::Loading() const { return started_ && webkit_web_view_is_loading(nativeView(view_)); }

} // namespace zemora
