// Find in page, page zoom and the loading state: the engine's own tools, told to the window.
#include <algorithm>

#include <webkit2/webkit2.h>
#include <wx/window.h>

#include "browse/FindMatches.h"
#include "engine/WebKitBrowser.h"

namespace zemora {

namespace {

// More matches than this are not counted one by one.
constexpr guint kMaxMatches = 1000;

// The engine selects the match it moves to, but draws a selection in its own colour only
// while the page has the focus, which the find dialog holds: the current match is drawn in
// the selection colour all the same while a search is under way. A page's own selection
// style wins over this user style.
constexpr char kMatchSelectionStyle[] = "::selection { background-color: Highlight; color: HighlightText; }";

// One notch of the wheel as the toolkit counts it, and the lines it scrolls.
constexpr int kWheelNotch = 120;
constexpr int kLinesPerNotch = 3;

// The engine takes the wheel for itself; with Ctrl held it is the window's (zoom), so it
// is handed to the control's window as the toolkit's own wheel event first.
gboolean onScroll(GtkWidget*, GdkEventScroll* scroll, wxWindow* view)
{
    if (!(scroll->state & GDK_CONTROL_MASK))
        return FALSE;
    int rotation = 0;
    switch (scroll->direction) {
    case GDK_SCROLL_UP: rotation = kWheelNotch; break;
    case GDK_SCROLL_DOWN: rotation = -kWheelNotch; break;
    case GDK_SCROLL_SMOOTH:
        rotation = scroll->delta_y < 0 ? kWheelNotch : scroll->delta_y > 0 ? -kWheelNotch : 0;
        break;
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
    wheel.m_wheelDelta = kWheelNotch;
    wheel.m_linesPerAction = kLinesPerNotch;
    wheel.m_wheelAxis = wxMOUSE_WHEEL_VERTICAL;
    return view->HandleWindowEvent(wheel) ? TRUE : FALSE;
}

} // namespace

void WebKitBrowser::connectPageTools()
{
    g_signal_connect(webView(), "scroll-event", G_CALLBACK(onScroll), host_);
    WebKitFindController* find = webkit_web_view_get_find_controller(webView());
    // The engine answers each search and each step in turn, without saying which it
    // answers: each answer belongs to the oldest request not yet answered. A new search
    // tells how many matches the page holds; a step to the next or previous one tells no
    // count of its own, so the count stays and the position moves.
    g_signal_connect(find, "found-text", G_CALLBACK(+[](WebKitFindController*, guint matches, WebKitBrowser* self) {
                         if (self->findSteps_.empty())
                             return; // a search ended since
                         const FindStep step = self->findSteps_.front();
                         self->findSteps_.pop_front();
                         if (step.fresh) {
                             self->findMatches_ = std::min(matches, kMaxMatches);
                             self->findCurrent_ = 0;
                         }
                         self->findCurrent_ = steppedMatch(self->findCurrent_, self->findMatches_, step.backwards);
                         if (self->FindResult)
                             self->FindResult(self->findCurrent_, self->findMatches_);
                     }),
                     this);
    g_signal_connect(find, "failed-to-find-text", G_CALLBACK(+[](WebKitFindController*, WebKitBrowser* self) {
                         if (self->findSteps_.empty())
                             return;
                         self->findSteps_.pop_front();
                         self->findCurrent_ = self->findMatches_ = 0;
                         if (self->FindResult)
                             self->FindResult(0, 0);
                     }),
                     this);
    g_signal_connect(webView(), "notify::is-loading",
                     G_CALLBACK(+[](WebKitWebView* view, GParamSpec*, WebKitBrowser* self) {
                         if (self->started_ && self->LoadingChange)
                             self->LoadingChange(webkit_web_view_is_loading(view));
                     }),
                     this);
}

void WebKitBrowser::disconnectPageTools()
{
    showMatchAsSelected(false);
    g_signal_handlers_disconnect_by_data(webkit_web_view_get_find_controller(webView()), this);
    g_signal_handlers_disconnect_by_data(webView(), this);
    g_signal_handlers_disconnect_by_data(webView(), host_);
}

void WebKitBrowser::showMatchAsSelected(bool shown)
{
    WebKitUserContentManager* content = webkit_web_view_get_user_content_manager(webView());
    if (shown && !matchStyle_) {
        matchStyle_ = webkit_user_style_sheet_new(kMatchSelectionStyle, WEBKIT_USER_CONTENT_INJECT_TOP_FRAME,
                                                  WEBKIT_USER_STYLE_LEVEL_USER, nullptr, nullptr);
        webkit_user_content_manager_add_style_sheet(content, matchStyle_);
    } else if (!shown && matchStyle_) {
        webkit_user_content_manager_remove_style_sheet(content, matchStyle_);
        webkit_user_style_sheet_unref(matchStyle_);
        matchStyle_ = nullptr;
    }
}

void WebKitBrowser::Find(const std::string& text, bool backwards, bool matchCase)
{
    WebKitFindController* find = webkit_web_view_get_find_controller(webView());
    if (text.empty()) {
        findText_.clear();
        findSteps_.clear();
        findCurrent_ = findMatches_ = 0;
        webkit_find_controller_search_finish(find);
        showMatchAsSelected(false);
        return;
    }
    showMatchAsSelected(true);
    // The same search, answered or still on its way, moves on from where it stands.
    if (text == findText_ && matchCase == findMatchCase_ && (findCurrent_ != 0 || !findSteps_.empty())) {
        findSteps_.push_back({false, backwards});
        if (backwards)
            webkit_find_controller_search_previous(find);
        else
            webkit_find_controller_search_next(find);
        return;
    }
    findText_ = text;
    findMatchCase_ = matchCase;
    findSteps_.push_back({true, backwards});
    guint32 options = WEBKIT_FIND_OPTIONS_WRAP_AROUND;
    if (!matchCase)
        options |= WEBKIT_FIND_OPTIONS_CASE_INSENSITIVE;
    if (backwards)
        options |= WEBKIT_FIND_OPTIONS_BACKWARDS;
    webkit_find_controller_search(find, text.c_str(), options, kMaxMatches);
}

void WebKitBrowser::Print()
{
    WebKitPrintOperation* print = webkit_print_operation_new(webView());
    GtkWidget* top = gtk_widget_get_toplevel(GTK_WIDGET(webView()));
    webkit_print_operation_run_dialog(print, GTK_IS_WINDOW(top) ? GTK_WINDOW(top) : nullptr);
    g_object_unref(print);
}

void WebKitBrowser::Undo() { webkit_web_view_execute_editing_command(webView(), WEBKIT_EDITING_COMMAND_UNDO); }

void WebKitBrowser::Redo() { webkit_web_view_execute_editing_command(webView(), WEBKIT_EDITING_COMMAND_REDO); }

void WebKitBrowser::SetZoom(double level) { webkit_web_view_set_zoom_level(webView(), level); }

double WebKitBrowser::Zoom() const { return webkit_web_view_get_zoom_level(webView()); }

// The engine's own blank page at creation is no load of the window's.
bool WebKitBrowser::Loading() const { return started_ && webkit_web_view_is_loading(webView()); }

} // namespace zemora
