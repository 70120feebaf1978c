// What assistive tools (a screen reader) are told of the window's controls beyond what
// they tell themselves, and the pressed look they hear of.
#include "app/gtk/Accessibility.h"

#include <string>
#include <vector>

#include <wx/combobox.h>
#include <wx/stattext.h>
#include <wx/toolbar.h>
#include <wx/window.h>

#ifdef __WXGTK__
#include <gtk/gtk-a11y.h>
#endif

#ifdef __WXGTK__
#include <gtk/gtk.h>
#endif

namespace zemora {

#ifdef __WXGTK__

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

// Gives one accessible object, and no other, the class hooks `init` sets: its type becomes
// a subclass of its own type made here, with no fields of its own, so the object stays
// what it was in every other respect. The toolkit's class stays as it is for every other
// widget of the process.
void specialise(AtkObject* accessible, const char* name, GClassInitFunc init)
{
    const GType parent = G_TYPE_FROM_INSTANCE(accessible);
    const std::string typeName = std::string(name) + g_type_name(parent);
    GType type = g_type_from_name(typeName.c_str());
    if (!type) {
        GTypeQuery query;
        g_type_query(parent, &query);
        type = g_type_register_static_simple(parent, g_intern_string(typeName.c_str()), query.class_size, init,
                                             query.instance_size, nullptr, GTypeFlags(0));
    }
    reinterpret_cast<GTypeInstance*>(accessible)->g_class = static_cast<GTypeClass*>(g_type_class_ref(type));
}

// What the class a hook was installed over does.
AtkObjectClass* overridden(AtkObject* accessible)
{
    return ATK_OBJECT_CLASS(g_type_class_peek_parent(G_OBJECT_GET_CLASS(accessible)));
}

// A panel as assistive tools see it: its children, less those kept from them.
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

void initPanel(gpointer panelClass, gpointer)
{
    AtkObjectClass* atk = ATK_OBJECT_CLASS(panelClass);
    atk->get_n_children = [](AtkObject* panel) { return static_cast<gint>(offeredChildren(panel).size()); };
    atk->ref_child = [](AtkObject* panel, gint index) -> AtkObject* {
        const std::vector<GtkWidget*> children = offeredChildren(panel);
        if (index < 0 || static_cast<std::size_t>(index) >= children.size())
            return nullptr;
        AtkObject* child = gtk_widget_get_accessible(children[static_cast<std::size_t>(index)]);
        // A child with its parent set counts its index among the children offered here.
        if (child->accessible_parent != panel)
            atk_object_set_parent(child, panel);
        return ATK_OBJECT(g_object_ref(child));
    };
}

// A button's states, with "checked" (a toggle's "pressed") while it is shown pressed.
void initPressButton(gpointer buttonClass, gpointer)
{
    ATK_OBJECT_CLASS(buttonClass)->ref_state_set = [](AtkObject* accessible) {
        AtkStateSet* states = overridden(accessible)->ref_state_set(accessible);
        GtkWidget* widget = gtk_accessible_get_widget(GTK_ACCESSIBLE(accessible));
        atk_state_set_add_state(states, ATK_STATE_CHECKABLE);
        if (widget && (gtk_widget_get_state_flags(widget) & GTK_STATE_FLAG_CHECKED))
            atk_state_set_add_state(states, ATK_STATE_CHECKED);
        return states;
    };
}

void tellPressedChange(GtkWidget* widget, bool pressed)
{
    if (g_object_get_data(G_OBJECT(widget), kTellsPressed))
        atk_object_notify_state_change(gtk_widget_get_accessible(widget), ATK_STATE_CHECKED, pressed);
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
    // This panel, and no other, leaves such children out.
    GtkWidget* parent = gtk_widget_get_parent(widget);
    if (parent && !g_object_get_data(G_OBJECT(parent), kHiddenFromAssistiveTools)) {
        g_object_set_data(G_OBJECT(parent), kHiddenFromAssistiveTools, GINT_TO_POINTER(1));
        specialise(gtk_widget_get_accessible(parent), "ZemoraPanel", initPanel);
    }
}

void tellPressedState(wxWindow* button)
{
    // Such a button stays a command button to the toolkit, so its clicks and looks stay
    // those of the window's button; only what assistive tools hear of it changes.
    GtkWidget* widget = button->GetHandle();
    g_object_set_data(G_OBJECT(widget), kTellsPressed, GINT_TO_POINTER(1));
    AtkObject* accessible = gtk_widget_get_accessible(widget);
    specialise(accessible, "ZemoraPressButton", initPressButton);
    atk_object_set_role(accessible, ATK_ROLE_TOGGLE_BUTTON);
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

void showPressed(wxWindow*, bool) {}

bool shownPressed(const wxWindow*) { return false; }

#endif

} // namespace zemora
