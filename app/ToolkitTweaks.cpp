#include "app/ToolkitTweaks.h"

#include <string>

#include "browse/DraggedText.h"

#include <wx/combobox.h>
#include <wx/stattext.h>
#include <wx/event.h>
#include <wx/toolbar.h>
#include <wx/window.h>

#ifdef __WXGTK__
#include <gtk/gtk-a11y.h>
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

// GTK gives a tool button's picture all the height its caption leaves, which parts the two
// as the toolbar grows; the block of both takes only its own height, in the middle.
void centreToolContents(GtkToolItem* item)
{
    GtkWidget* button = gtk_bin_get_child(GTK_BIN(item));
    GtkWidget* contents = GTK_IS_BIN(button) ? gtk_bin_get_child(GTK_BIN(button)) : nullptr;
    if (contents)
        gtk_widget_set_valign(contents, GTK_ALIGN_CENTER);
    // The picture's own size, not the column's width, so it reads as the picture.
    if (GtkWidget* picture = gtk_tool_button_get_icon_widget(GTK_TOOL_BUTTON(item)))
        gtk_widget_set_halign(picture, GTK_ALIGN_CENTER);
}

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

void keepPicturesWithCaptions(wxToolBar* bar)
{
    GtkToolbar* toolbar = bar->GTKGetToolbar();
    for (int i = 0; i < gtk_toolbar_get_n_items(toolbar); ++i) {
        GtkToolItem* item = gtk_toolbar_get_nth_item(toolbar, i);
        if (!GTK_IS_TOOL_BUTTON(item))
            continue;
        centreToolContents(item);
        // The button builds its contents anew whenever the toolbar's style changes, as
        // when captions come and go.
        g_signal_connect_after(item, "toolbar-reconfigured", G_CALLBACK(+[](GtkToolItem* item, gpointer) {
            centreToolContents(item);
        }), nullptr);
    }
}

void centreLabelText(wxWindow* label)
{
    if (GTK_IS_LABEL(label->GetHandle()))
        gtk_label_set_yalign(GTK_LABEL(label->GetHandle()), 0.5f);
}

int pictureRoom(const wxToolBar* bar)
{
    GtkToolbar* toolbar = const_cast<wxToolBar*>(bar)->GTKGetToolbar();
    int room = bar->GetSize().y;
    const auto takeFrame = [&room](GtkWidget* widget) {
        GtkStyleContext* style = gtk_widget_get_style_context(widget);
        const GtkStateFlags state = gtk_style_context_get_state(style);
        GtkBorder padding, border;
        gtk_style_context_get_padding(style, state, &padding);
        gtk_style_context_get_border(style, state, &border);
        room -= padding.top + padding.bottom + border.top + border.bottom;
    };
    takeFrame(GTK_WIDGET(toolbar));
    if (gtk_toolbar_get_n_items(toolbar) > 0)
        if (GtkWidget* button = gtk_bin_get_child(GTK_BIN(gtk_toolbar_get_nth_item(toolbar, 0))))
            takeFrame(button);
    return room;
}

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

void whenDropped(wxComboBox* box, std::function<void(const wxString& text, bool link)> dropped)
{
    using Dropped = std::function<void(const wxString&, bool)>;
    enum Kind : guint { kText, kLink, kMarkup };
    GtkWidget* entry = gtk_bin_get_child(GTK_BIN(box->GetHandle()));
    // An address dragged from elsewhere comes as a link; one dragged from a page comes as
    // the page's markup of it, read for the link; anything else as text.
    GtkTargetList* targets = gtk_target_list_new(nullptr, 0);
    gtk_target_list_add_uri_targets(targets, kLink);
    gtk_target_list_add(targets, gdk_atom_intern_static_string("text/html"), 0, kMarkup);
    gtk_target_list_add_text_targets(targets, kText);
    gtk_drag_dest_set_target_list(entry, targets);
    gtk_target_list_unref(targets);
    g_signal_connect_data(
        entry, "drag-data-received",
        G_CALLBACK(+[](GtkWidget* self, GdkDragContext* context, gint, gint, GtkSelectionData* data, guint kind,
                       guint time, Dropped* tell) {
            g_signal_stop_emission_by_name(self, "drag-data-received");
            std::string text;
            bool link = false;
            if (kind == kLink) {
                gchar** uris = gtk_selection_data_get_uris(data);
                link = uris && uris[0];
                text = link ? uris[0] : "";
                g_strfreev(uris);
            } else if (kind == kMarkup) {
                const gint length = gtk_selection_data_get_length(data);
                const auto* bytes = reinterpret_cast<const char*>(gtk_selection_data_get_data(data));
                text = draggedLink(bytes && length > 0 ? std::string(bytes, static_cast<std::size_t>(length)) : "");
                link = !text.empty();
                // Text dragged from a page: asked for again as text.
                if (!link)
                    return gtk_drag_get_data(self, context, gdk_atom_intern_static_string("UTF8_STRING"), time);
            } else if (guchar* plain = gtk_selection_data_get_text(data)) {
                text = reinterpret_cast<const char*>(plain);
                g_free(plain);
            }
            gtk_drag_finish(context, !text.empty(), FALSE, time);
            if (!text.empty())
                (*tell)(wxString::FromUTF8(text).Strip(wxString::both), link);
        }),
        new Dropped(std::move(dropped)), [](gpointer data, GClosure*) { delete static_cast<Dropped*>(data); },
        G_CONNECT_DEFAULT);
}

void whenListOpens(wxComboBox* box, std::function<bool()> instead)
{
    auto* asked = new std::function<bool()>(std::move(instead));
    const auto destroy = [](gpointer data, GClosure*) { delete static_cast<std::function<bool()>*>(data); };
    GtkWidget* combo = box->GetHandle();
    // The key (Alt+Down) and gtk_combo_box_popup() go through the "popup" signal.
    g_signal_connect_data(combo, "popup", G_CALLBACK(+[](GtkComboBox* self, std::function<bool()>* ask) {
                              if ((*ask)())
                                  g_signal_stop_emission_by_name(self, "popup");
                          }),
                          asked, destroy, G_CONNECT_DEFAULT);
    // The arrow is a button inside the drop-down that opens the list itself on a press,
    // which a gesture of ours hears first, on its way down, and keeps when asked to.
    GtkGesture* press = gtk_gesture_multi_press_new(combo);
    gtk_event_controller_set_propagation_phase(GTK_EVENT_CONTROLLER(press), GTK_PHASE_CAPTURE);
    g_signal_connect(press, "pressed",
                     G_CALLBACK(+[](GtkGestureMultiPress* gesture, gint, gdouble, gdouble, std::function<bool()>* ask) {
                         GdkEventSequence* sequence = gtk_gesture_single_get_current_sequence(GTK_GESTURE_SINGLE(gesture));
                         const GdkEvent* event = gtk_gesture_get_last_event(GTK_GESTURE(gesture), sequence);
                         GtkWidget* target = event ? gtk_get_event_widget(const_cast<GdkEvent*>(event)) : nullptr;
                         const bool onArrow = target && (GTK_IS_TOGGLE_BUTTON(target) ||
                                                         gtk_widget_get_ancestor(target, GTK_TYPE_TOGGLE_BUTTON));
                         if (onArrow && gtk_gesture_single_get_current_button(GTK_GESTURE_SINGLE(gesture)) == 1 &&
                             (*ask)())
                             gtk_gesture_set_state(GTK_GESTURE(gesture), GTK_EVENT_SEQUENCE_CLAIMED);
                     }),
                     asked);
    g_object_set_data_full(G_OBJECT(combo), "zemora-list-press", press, g_object_unref);
}

// ---- What assistive tools are told ----

namespace {

// The toolkit makes a label the mnemonic label of whatever control follows it in the tab
// order, which is what assistive tools then call it the label of; ours say which they label.
class OwnLabel : public wxStaticText {
public:
    using wxStaticText::wxStaticText;

protected:
    bool GTKWidgetNeedsMnemonic() const override { return false; }
};

// The widgets a control is told about through: itself and, for a drop-down with a text
// field, the field.
std::vector<GtkWidget*> partsOf(wxWindow* control)
{
    GtkWidget* widget = control->GetHandle();
    std::vector<GtkWidget*> parts{widget};
    if (GTK_IS_COMBO_BOX(widget) && gtk_combo_box_get_has_entry(GTK_COMBO_BOX(widget)))
        parts.push_back(gtk_bin_get_child(GTK_BIN(widget)));
    return parts;
}

constexpr char kHiddenFromAssistiveTools[] = "zemora-hidden-from-assistive-tools";
constexpr char kTellsPressed[] = "zemora-tells-pressed";
constexpr char kAnnouncer[] = "zemora-announcer";

// A window's panel as assistive tools see it: its children, less those kept from them.
struct PanelAccessible {
    GtkContainerAccessible parent;
};
struct PanelAccessibleClass {
    GtkContainerAccessibleClass parent_class;
};
G_DEFINE_TYPE(PanelAccessible, panel_accessible, GTK_TYPE_CONTAINER_ACCESSIBLE)

std::vector<GtkWidget*> offeredChildren(AtkObject* panel)
{
    std::vector<GtkWidget*> offered;
    GtkWidget* widget = gtk_accessible_get_widget(GTK_ACCESSIBLE(panel));
    if (!widget)
        return offered;
    GList* children = gtk_container_get_children(GTK_CONTAINER(widget));
    for (GList* at = children; at; at = at->next)
        if (!g_object_get_data(G_OBJECT(at->data), kHiddenFromAssistiveTools))
            offered.push_back(GTK_WIDGET(at->data));
    g_list_free(children);
    return offered;
}

gint panelChildCount(AtkObject* panel) { return static_cast<gint>(offeredChildren(panel).size()); }

AtkObject* panelChild(AtkObject* panel, gint index)
{
    const std::vector<GtkWidget*> children = offeredChildren(panel);
    if (index < 0 || static_cast<std::size_t>(index) >= children.size())
        return nullptr;
    AtkObject* child = gtk_widget_get_accessible(children[static_cast<std::size_t>(index)]);
    // A child with its parent set counts its index among the children offered here.
    if (child->accessible_parent != panel)
        atk_object_set_parent(child, panel);
    return ATK_OBJECT(g_object_ref(child));
}

void panel_accessible_class_init(PanelAccessibleClass* panelClass)
{
    AtkObjectClass* atk = ATK_OBJECT_CLASS(panelClass);
    atk->get_n_children = panelChildCount;
    atk->ref_child = panelChild;
}

void panel_accessible_init(PanelAccessible*) {}

AtkStateSet* (*buttonStates)(AtkObject*) = nullptr;

// A button's states, with "checked" (a toggle's "pressed") while it is shown pressed.
AtkStateSet* buttonStatesWithPressed(AtkObject* accessible)
{
    AtkStateSet* states = buttonStates(accessible);
    GtkWidget* widget = gtk_accessible_get_widget(GTK_ACCESSIBLE(accessible));
    if (widget && g_object_get_data(G_OBJECT(widget), kTellsPressed)) {
        atk_state_set_add_state(states, ATK_STATE_CHECKABLE);
        if (gtk_widget_get_state_flags(widget) & GTK_STATE_FLAG_CHECKED)
            atk_state_set_add_state(states, ATK_STATE_CHECKED);
    }
    return states;
}

void tellPressedChange(GtkWidget* widget, bool pressed)
{
    if (g_object_get_data(G_OBJECT(widget), kTellsPressed))
        atk_object_notify_state_change(gtk_widget_get_accessible(widget), ATK_STATE_CHECKED, pressed);
}

} // namespace

void replaceList(wxComboBox* box, const std::vector<wxString>& items)
{
    // A new model filled off screen and put in at once: clearing and appending row by row
    // would have the drop-down redo its rows for each of thousands of entries. The
    // model's columns are the text and id ones of the box's own.
    GtkListStore* store = gtk_list_store_new(2, G_TYPE_STRING, G_TYPE_STRING);
    for (const wxString& item : items)
        gtk_list_store_insert_with_values(store, nullptr, -1, 0, static_cast<const char*>(item.utf8_str()), -1);
    box->GTKDisableEvents();
    gtk_combo_box_set_model(GTK_COMBO_BOX(box->GetHandle()), GTK_TREE_MODEL(store));
    box->GTKEnableEvents();
    g_object_unref(store);
}

namespace {

void onFolderChanged(GFileMonitor*, GFile*, GFile*, GFileMonitorEvent event, gpointer changed)
{
    switch (event) {
    case G_FILE_MONITOR_EVENT_CREATED:
    case G_FILE_MONITOR_EVENT_DELETED:
    case G_FILE_MONITOR_EVENT_MOVED:
    case G_FILE_MONITOR_EVENT_MOVED_IN:
    case G_FILE_MONITOR_EVENT_MOVED_OUT:
    case G_FILE_MONITOR_EVENT_RENAMED:
        (*static_cast<std::function<void()>*>(changed))();
        break;
    default: // content and attributes: the list shows names only
        break;
    }
}

void stopMonitor(void* monitor, std::function<void()>* changed)
{
    g_signal_handlers_disconnect_by_data(monitor, changed);
    g_file_monitor_cancel(G_FILE_MONITOR(monitor));
    g_object_unref(monitor);
}

} // namespace

wxStaticText* createLabel(wxWindow* parent, const wxString& text, long style, wxWindow* labelled)
{
    auto* label = new OwnLabel(parent, wxID_ANY, text, wxDefaultPosition, wxDefaultSize, style);
    if (!labelled)
        return label;
    describeForAssistiveTools(labelled, label->GetLabelText());
    AtkObject* labelAccessible = gtk_widget_get_accessible(label->GetHandle());
    for (GtkWidget* part : partsOf(labelled)) {
        AtkObject* accessible = gtk_widget_get_accessible(part);
        atk_object_add_relationship(labelAccessible, ATK_RELATION_LABEL_FOR, accessible);
        atk_object_add_relationship(accessible, ATK_RELATION_LABELLED_BY, labelAccessible);
    }
    return label;
}

void describeForAssistiveTools(wxWindow* control, const wxString& name, const wxString& description)
{
    std::vector<AtkObject*> told;
    for (GtkWidget* part : partsOf(control))
        told.push_back(gtk_widget_get_accessible(part));
    // A drop-down otherwise takes its chosen entry for its name, and its list has none.
    if (GTK_IS_COMBO_BOX(control->GetHandle()))
        told.push_back(gtk_combo_box_get_popup_accessible(GTK_COMBO_BOX(control->GetHandle())));
    for (AtkObject* accessible : told) {
        if (!accessible)
            continue;
        atk_object_set_name(accessible, name.utf8_str());
        if (!description.empty())
            atk_object_set_description(accessible, description.utf8_str());
    }
}

void nameToolsByCaptions(wxToolBar* bar)
{
    GtkToolbar* toolbar = bar->GTKGetToolbar();
    for (std::size_t position = 0; position < bar->GetToolsCount(); ++position) {
        const wxToolBarToolBase* tool = bar->GetToolByPos(static_cast<int>(position));
        GtkToolItem* item = gtk_toolbar_get_nth_item(toolbar, static_cast<gint>(position));
        GtkWidget* button = item && GTK_IS_BIN(item) ? gtk_bin_get_child(GTK_BIN(item)) : nullptr;
        if (tool && button)
            atk_object_set_name(gtk_widget_get_accessible(button), tool->GetLabel().utf8_str());
    }
}

void hideFromAssistiveTools(wxWindow* control)
{
    GtkWidget* widget = control->GetHandle();
    gtk_widget_set_can_focus(widget, FALSE);
    g_object_set_data(G_OBJECT(widget), kHiddenFromAssistiveTools, GINT_TO_POINTER(1));
    // Every panel of the program lists its children through PanelAccessible from now on.
    if (GtkWidget* parent = gtk_widget_get_parent(widget))
        gtk_widget_class_set_accessible_type(GTK_WIDGET_GET_CLASS(parent), panel_accessible_get_type());
}

void tellPressedState(wxWindow* button)
{
    // Such a button stays a command button to the toolkit, so its clicks and looks stay
    // those of the window's button; only what assistive tools hear of it changes.
    static const bool installed = [] {
        auto* buttons = static_cast<AtkObjectClass*>(g_type_class_ref(GTK_TYPE_BUTTON_ACCESSIBLE));
        buttonStates = buttons->ref_state_set;
        buttons->ref_state_set = buttonStatesWithPressed;
        return true;
    }();
    (void)installed;
    GtkWidget* widget = button->GetHandle();
    g_object_set_data(G_OBJECT(widget), kTellsPressed, GINT_TO_POINTER(1));
    atk_object_set_role(gtk_widget_get_accessible(widget), ATK_ROLE_TOGGLE_BUTTON);
}

void openWithDesktop(const std::string& path)
{
    gchar* uri = g_filename_to_uri(path.c_str(), nullptr, nullptr);
    if (uri)
        g_app_info_launch_default_for_uri(uri, nullptr, nullptr);
    g_free(uri);
}

void showInFileManager(const std::string& path)
{
    // The desktop's file manager, asked on the session bus, chooses the file in its folder.
    gchar* uri = g_filename_to_uri(path.c_str(), nullptr, nullptr);
    GDBusConnection* bus = uri ? g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr) : nullptr;
    const gchar* uris[] = {uri, nullptr};
    GVariant* answer = bus ? g_dbus_connection_call_sync(bus, "org.freedesktop.FileManager1", "/org/freedesktop/FileManager1",
                                                         "org.freedesktop.FileManager1", "ShowItems",
                                                         g_variant_new("(^ass)", uris, ""), nullptr,
                                                         G_DBUS_CALL_FLAGS_NONE, -1, nullptr, nullptr)
                           : nullptr;
    if (answer) {
        g_variant_unref(answer);
    } else {
        gchar* folder = g_path_get_dirname(path.c_str());
        openWithDesktop(folder);
        g_free(folder);
    }
    if (bus)
        g_object_unref(bus);
    g_free(uri);
}

void announce(wxWindow* window, const wxString& text)
{
    // GTK 3 has no announcement of its own: a notification appearing is what screen
    // readers read out at once, wherever the focus is. This one is never drawn. Each text
    // has its own: a reader asks for the name after the event, when a quick page's "ended"
    // may already have followed its "loading".
    GtkWidget* top = gtk_widget_get_toplevel(window->GetHandle());
    const std::string key = std::string(kAnnouncer) + ' ' + text.utf8_string();
    auto* note = static_cast<AtkObject*>(g_object_get_data(G_OBJECT(top), key.c_str()));
    if (!note) {
        note = ATK_OBJECT(g_object_new(ATK_TYPE_OBJECT, nullptr));
        atk_object_set_role(note, ATK_ROLE_NOTIFICATION);
        atk_object_set_name(note, text.utf8_str());
        atk_object_set_parent(note, gtk_widget_get_accessible(top));
        g_object_set_data_full(G_OBJECT(top), key.c_str(), note, g_object_unref);
    }
    atk_object_notify_state_change(note, ATK_STATE_SHOWING, TRUE);
    atk_object_notify_state_change(note, ATK_STATE_SHOWING, FALSE);
}

FolderWatch::~FolderWatch()
{
    for (const auto& [path, monitor] : monitors_)
        stopMonitor(monitor, &changed_);
}

bool FolderWatch::watch(const std::vector<std::string>& folders)
{
    bool added = false;
    std::map<std::string, void*> kept;
    for (const std::string& folder : folders) {
        if (kept.count(folder))
            continue;
        if (const auto old = monitors_.find(folder); old != monitors_.end()) {
            kept.insert(*old);
            monitors_.erase(old);
            continue;
        }
        GFile* file = g_file_new_for_path(folder.c_str());
        GFileMonitor* monitor = g_file_monitor_directory(file, G_FILE_MONITOR_WATCH_MOVES, nullptr, nullptr);
        g_object_unref(file);
        if (!monitor)
            continue; // unwatched, the list still follows our own changes
        g_signal_connect(monitor, "changed", G_CALLBACK(onFolderChanged), &changed_);
        kept.emplace(folder, monitor);
        added = true;
    }
    for (const auto& [path, monitor] : monitors_)
        stopMonitor(monitor, &changed_);
    monitors_ = std::move(kept);
    return added;
}

bool holdsWindowFocus(const wxWindow* control)
{
    GtkWidget* widget = control->GetHandle();
    GtkWidget* top = gtk_widget_get_toplevel(widget);
    GtkWidget* focus = GTK_IS_WINDOW(top) ? gtk_window_get_focus(GTK_WINDOW(top)) : nullptr;
    return focus && (focus == widget || gtk_widget_is_ancestor(focus, widget));
}

void showPressed(wxWindow* button, bool pressed)
{
    GtkWidget* widget = button->GetHandle();
    const bool was = shownPressed(button);
    if (pressed)
        gtk_widget_set_state_flags(widget, GTK_STATE_FLAG_CHECKED, FALSE);
    else
        gtk_widget_unset_state_flags(widget, GTK_STATE_FLAG_CHECKED);
    if (pressed != was)
        tellPressedChange(widget, pressed);
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

wxStaticText* createLabel(wxWindow* parent, const wxString& text, long style, wxWindow*)
{
    return new wxStaticText(parent, wxID_ANY, text, wxDefaultPosition, wxDefaultSize, style);
}

void describeForAssistiveTools(wxWindow*, const wxString&, const wxString&) {}

void nameToolsByCaptions(wxToolBar*) {}

void hideFromAssistiveTools(wxWindow* control) { control->SetCanFocus(false); }

void tellPressedState(wxWindow*) {}

void announce(wxWindow*, const wxString&) {}

void openWithDesktop(const std::string& path) { wxLaunchDefaultApplication(wxString::FromUTF8(path)); }

void showInFileManager(const std::string& path)
{
    wxLaunchDefaultApplication(wxString::FromUTF8(path.substr(0, path.rfind('/'))));
}

bool holdsWindowFocus(const wxWindow* control)
{
    const wxWindow* focus = wxWindow::FindFocus();
    return focus && (focus == control || focus->GetParent() == control);
}

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

void keepPicturesWithCaptions(wxToolBar*) {}

void centreLabelText(wxWindow*) {}

int pictureRoom(const wxToolBar* bar) { return bar->GetSize().y; }

void appendToList(wxComboBox* box, const wxString& item) { box->Append(item); }

void whenListOpens(wxComboBox*, std::function<bool()>) {}
void whenDropped(wxComboBox*, std::function<void(const wxString&, bool)>) {}
void replaceList(wxComboBox* box, const std::vector<wxString>& items)
{
    const wxString text = box->GetValue();
    long from = 0, to = 0;
    box->GetSelection(&from, &to);
    box->Freeze();
    box->Set(wxArrayString(items.size(), items.data()));
    box->ChangeValue(text);
    box->SetSelection(from, to);
    box->Thaw();
}

// Without a native watch the list follows only the changes made here.
FolderWatch::~FolderWatch() = default;

bool FolderWatch::watch(const std::vector<std::string>&) { return false; }

#endif

} // namespace zemora
