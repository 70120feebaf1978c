#include "app/ToolkitTweaks.h"

#include <wx/combobox.h>
#include <wx/event.h>
#include <wx/toolbar.h>
#include <wx/window.h>

#ifdef __WXGTK__
#include <gtk/gtk.h>
#endif

namespace zemora {

namespace {

// A toolbar that says it takes the focus; created in two steps, so that the toolkit asks
// this class, not the plain toolbar, when it sets the toolbar up.
class KeyboardToolBar : public wxToolBar {
public:
    bool AcceptsFocus() const override { return true; }

protected:
#ifdef __WXGTK__
    // The arrow keys move the focus between its buttons, which is no change of window.
    bool GTKNeedsToFilterSameWindowFocus() const override { return true; }
#endif
};

} // namespace

wxToolBar* createKeyboardToolBar(wxWindow* parent, long style)
{
    auto* bar = new KeyboardToolBar;
    bar->Create(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, style);
    return bar;
}

#ifdef __WXGTK__

namespace {

constexpr char kControlsName[] = "zemora-controls";

// GTK's stock paddings make an entry or a button taller than the rows it was laid out
// for; tighten them so each control fits the height it is given.
void installCompactStyle()
{
    static const bool done = [] {
        GtkCssProvider* css = gtk_css_provider_new();
        // Only the window's own controls, the panel's direct children: the dialogs a page
        // opens are drawn inside the web view and keep the theme's look.
        gtk_css_provider_load_from_data(css,
            "#zemora-controls > entry, #zemora-controls > button,"
            " #zemora-controls > combobox entry, #zemora-controls > combobox button {"
            " min-height: 0; padding-top: 0; padding-bottom: 0; }"
            "#zemora-controls > entry, #zemora-controls > combobox entry {"
            " padding-left: 4px; padding-right: 4px; }"
            "#zemora-controls > entry, #zemora-controls > button,"
            " #zemora-controls > combobox entry, #zemora-controls > combobox button { font-size: 9pt; }"
            // The labels were laid out for a narrower face than ours at 9 points.
            "#zemora-controls > label { font-size: 8pt; }"
            "#zemora-controls > button label { font-size: 9pt; }"
            "#zemora-controls toolbar { padding: 0; }"
            // A list drop-down scrolls through thousands of entries, and adding one costs
            // no walk over the others, as the menu kind's does.
            "combobox { -GtkComboBox-appears-as-list: true; }"
            "#zemora-controls toolbar toolbutton > button { padding: 1px 4px; margin: 0;"
            " border-width: 0; min-width: 0; }"
            "#zemora-controls toolbar button label { font-size: 8pt; margin: 0; padding: 0; }",
            -1, nullptr);
        gtk_style_context_add_provider_for_screen(gdk_screen_get_default(),
            GTK_STYLE_PROVIDER(css), GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
        g_object_unref(css);
        return true;
    }();
    (void)done;
}

void findToggleButton(GtkWidget* widget, gpointer found)
{
    if (GTK_IS_TOGGLE_BUTTON(widget))
        *static_cast<GtkWidget**>(found) = widget;
    else if (GTK_IS_CONTAINER(widget))
        gtk_container_forall(GTK_CONTAINER(widget), findToggleButton, found);
}

// The widget that stands for a control in the panel's focus chain.
GtkWidget* focusStop(wxWindow* control)
{
    GtkWidget* widget = control->GetHandle();
    if (GTK_IS_COMBO_BOX(widget) && gtk_combo_box_get_has_entry(GTK_COMBO_BOX(widget))) {
        // The arrow is for the mouse; Alt+Down opens the list from the text.
        GtkWidget* arrow = nullptr;
        gtk_container_forall(GTK_CONTAINER(widget), findToggleButton, &arrow);
        if (arrow)
            gtk_widget_set_can_focus(arrow, FALSE);
    }
    if (auto* bar = dynamic_cast<wxToolBar*>(control)) {
        // A toolbar's buttons refuse the focus; the toolbar hands it to its first (or,
        // going back, last) button, and the arrow keys move it along.
        GtkToolbar* toolbar = bar->GTKGetToolbar();
        for (int i = 0; i < gtk_toolbar_get_n_items(toolbar); ++i) {
            GtkWidget* item = GTK_WIDGET(gtk_toolbar_get_nth_item(toolbar, i));
            GtkWidget* button = GTK_IS_BIN(item) ? gtk_bin_get_child(GTK_BIN(item)) : nullptr;
            if (!button)
                continue;
            gtk_widget_set_can_focus(button, TRUE);
            // The toolkit hears the focus arrive only at the box around the toolbar.
            g_signal_connect(button, "focus-in-event", G_CALLBACK(+[](GtkWidget*, GdkEvent*, gpointer bar) {
                static_cast<wxToolBar*>(bar)->GTKHandleFocusIn();
                return FALSE;
            }), bar);
            g_signal_connect(button, "focus-out-event", G_CALLBACK(+[](GtkWidget*, GdkEvent*, gpointer bar) {
                static_cast<wxToolBar*>(bar)->GTKHandleFocusOut();
                return FALSE;
            }), bar);
        }
    }
    return widget;
}

} // namespace

void followTabOrder(wxWindow* panel, std::vector<wxWindow*> order)
{
    GtkContainer* container = GTK_CONTAINER(panel->GetHandle());
    std::vector<GtkWidget*> stops;
    for (wxWindow* control : order) {
        // The chain names the panel's own children: the focus walks on from the one
        // holding it.
        GtkWidget* stop = focusStop(control);
        while (stop && gtk_widget_get_parent(stop) != GTK_WIDGET(container))
            stop = gtk_widget_get_parent(stop);
        if (stop)
            stops.push_back(stop);
    }
    // The toolkit rebuilds the chain from its own list, in which the toolbar is no stop,
    // whenever its children change; put ours back after each of its turns.
    const auto apply = [container, stops] {
        G_GNUC_BEGIN_IGNORE_DEPRECATIONS
        GList* current = nullptr;
        bool same = gtk_container_get_focus_chain(container, &current) &&
                    g_list_length(current) == stops.size();
        GList* at = current;
        for (std::size_t i = 0; same && i < stops.size(); ++i, at = at->next)
            same = at->data == stops[i];
        g_list_free(current);
        if (same)
            return;
        GList* chain = nullptr;
        for (auto i = stops.rbegin(); i != stops.rend(); ++i)
            chain = g_list_prepend(chain, *i);
        gtk_container_set_focus_chain(container, chain);
        g_list_free(chain);
        G_GNUC_END_IGNORE_DEPRECATIONS
    };
    apply();
    panel->Bind(wxEVT_IDLE, [apply](wxIdleEvent& event) {
        event.Skip();
        apply();
    });
}

void keepCaptionsOffPictures(wxToolBar* bar)
{
    GtkToolbar* toolbar = bar->GTKGetToolbar();
    // Its height with captions, measured while it still has them.
    int withCaptions = 0;
    gtk_widget_get_preferred_height(GTK_WIDGET(toolbar), nullptr, &withCaptions);
    bar->Bind(wxEVT_SIZE, [toolbar, withCaptions](wxSizeEvent& event) {
        event.Skip();
        const GtkToolbarStyle style =
            event.GetSize().y >= withCaptions ? GTK_TOOLBAR_BOTH : GTK_TOOLBAR_ICONS;
        if (gtk_toolbar_get_style(toolbar) != style)
            gtk_toolbar_set_style(toolbar, style);
    });
}

namespace {

// The toolkit's key code for a key value, as its own key events carry it; 0 for keys
// that have none here (modifiers alone, dead keys, other scripts' letters).
int keyCodeOf(guint keyval)
{
    static const std::pair<guint, int> special[] = {
        {GDK_KEY_Escape, WXK_ESCAPE},       {GDK_KEY_Return, WXK_RETURN},       {GDK_KEY_Tab, WXK_TAB},
        {GDK_KEY_BackSpace, WXK_BACK},      {GDK_KEY_Delete, WXK_DELETE},       {GDK_KEY_Insert, WXK_INSERT},
        {GDK_KEY_Left, WXK_LEFT},           {GDK_KEY_Right, WXK_RIGHT},         {GDK_KEY_Up, WXK_UP},
        {GDK_KEY_Down, WXK_DOWN},           {GDK_KEY_Home, WXK_HOME},           {GDK_KEY_End, WXK_END},
        {GDK_KEY_Page_Up, WXK_PAGEUP},      {GDK_KEY_Page_Down, WXK_PAGEDOWN},  {GDK_KEY_KP_Left, WXK_NUMPAD_LEFT},
        {GDK_KEY_KP_Right, WXK_NUMPAD_RIGHT}, {GDK_KEY_KP_Home, WXK_NUMPAD_HOME}, {GDK_KEY_KP_Add, WXK_NUMPAD_ADD},
        {GDK_KEY_KP_Subtract, WXK_NUMPAD_SUBTRACT}, {GDK_KEY_KP_Enter, WXK_NUMPAD_ENTER},
    };
    for (const auto& [value, code] : special)
        if (value == keyval)
            return code;
    if (keyval >= GDK_KEY_F1 && keyval <= GDK_KEY_F12)
        return WXK_F1 + static_cast<int>(keyval - GDK_KEY_F1);
    if (keyval >= GDK_KEY_KP_0 && keyval <= GDK_KEY_KP_9)
        return WXK_NUMPAD0 + static_cast<int>(keyval - GDK_KEY_KP_0);
    // Letters come upper case, as in the toolkit's key events; other printable ASCII as is.
    if (keyval >= 'a' && keyval <= 'z')
        return static_cast<int>(keyval - 'a' + 'A');
    if (keyval >= 0x20 && keyval < 0x7f)
        return static_cast<int>(keyval);
    return 0;
}

using KeyRoute = std::pair<wxWindow*, wxWindow*>; // typed in, hearer

gboolean onKeyCaptured(GtkEventControllerKey*, guint keyval, guint, GdkModifierType state, gpointer data)
{
    const auto* route = static_cast<const KeyRoute*>(data);
    const int code = keyCodeOf(keyval);
    if (code == 0)
        return FALSE;
    wxKeyEvent key(wxEVT_CHAR_HOOK);
    key.m_keyCode = code;
    key.m_uniChar = code < WXK_START ? code : WXK_NONE;
    key.SetRawControlDown((state & GDK_CONTROL_MASK) != 0);
    key.SetControlDown((state & GDK_CONTROL_MASK) != 0);
    key.SetAltDown((state & GDK_MOD1_MASK) != 0);
    key.SetShiftDown((state & GDK_SHIFT_MASK) != 0);
    key.SetMetaDown((state & (GDK_META_MASK | GDK_SUPER_MASK)) != 0);
    key.SetEventObject(route->first);
    key.SetId(route->first->GetId());
    return route->second->GetEventHandler()->ProcessEvent(key) ? TRUE : FALSE;
}

} // namespace

void hearKeysFirst(wxWindow* typedIn, wxWindow* hearer)
{
    // The toolkit's top-level window hands a key to its focused widget before its own key
    // handlers run; a controller in the capture phase hears it before that hand-over.
    GtkWidget* top = typedIn->GetHandle();
    GtkEventController* keys = gtk_event_controller_key_new(top);
    gtk_event_controller_set_propagation_phase(keys, GTK_PHASE_CAPTURE);
    g_signal_connect_data(keys, "key-pressed", G_CALLBACK(onKeyCaptured), new KeyRoute(typedIn, hearer),
                          +[](gpointer route, GClosure*) { delete static_cast<KeyRoute*>(route); }, GConnectFlags(0));
    // Lives as long as the window.
    g_object_set_data_full(G_OBJECT(top), "zemora-keys", keys, g_object_unref);
}

void useCompactControls(wxWindow* controls)
{
    installCompactStyle();
    gtk_widget_set_name(static_cast<GtkWidget*>(controls->GetHandle()), kControlsName);
}

void appendToList(wxComboBox* box, const wxString& item)
{
    // Straight to the native list: the toolkit wrapper counts the entries one by one on
    // every append, which makes filling a long list quadratic.
    gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(box->GetHandle()), item.utf8_str());
}

void showPressed(wxWindow* button, bool pressed)
{
    GtkWidget* widget = button->GetHandle();
    if (pressed)
        gtk_widget_set_state_flags(widget, GTK_STATE_FLAG_CHECKED, FALSE);
    else
        gtk_widget_unset_state_flags(widget, GTK_STATE_FLAG_CHECKED);
}

bool shownPressed(const wxWindow* button)
{
    return (gtk_widget_get_state_flags(button->GetHandle()) & GTK_STATE_FLAG_CHECKED) != 0;
}

double textDotsPerInch(const wxWindow*)
{
    // Pango draws text at the screen's resolution, which holds Xft.dpi and GDK_DPI_SCALE;
    // unset, it draws at 96.
    const double resolution = gdk_screen_get_resolution(gdk_screen_get_default());
    return resolution > 0 ? resolution : 96.0;
}

#else

void showPressed(wxWindow*, bool) {}

void hearKeysFirst(wxWindow* typedIn, wxWindow* hearer)
{
    // A window hears its own keys first already.
    if (typedIn == hearer)
        return;
    typedIn->Bind(wxEVT_CHAR_HOOK, [typedIn, hearer](wxKeyEvent& key) {
        wxKeyEvent copy(key);
        copy.SetEventObject(typedIn);
        if (!hearer->GetEventHandler()->ProcessEvent(copy))
            key.Skip();
    });
}

bool shownPressed(const wxWindow*) { return false; }

double textDotsPerInch(const wxWindow* window) { return window->FromDIP(96000) / 1000.0; }

void useCompactControls(wxWindow*) {}

void followTabOrder(wxWindow*, std::vector<wxWindow*>) {}

void keepCaptionsOffPictures(wxToolBar*) {}

void appendToList(wxComboBox* box, const wxString& item) { box->Append(item); }

#endif

} // namespace zemora
