// Where the keyboard goes: the toolbar as a stop of its own, the panel's tab order, and
// which control holds the focus.
#include "app/gtk/Focus.h"

#include <wx/combobox.h>
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

bool holdsWindowFocus(const wxWindow* control)
{
    GtkWidget* widget = control->GetHandle();
    GtkWidget* top = gtk_widget_get_toplevel(widget);
    GtkWidget* focus = GTK_IS_WINDOW(top) ? gtk_window_get_focus(GTK_WINDOW(top)) : nullptr;
    return focus && (focus == widget || gtk_widget_is_ancestor(focus, widget));
}

#else

void followTabOrder(wxWindow*, std::vector<wxWindow*>) {}

bool holdsWindowFocus(const wxWindow* control)
{
    const wxWindow* focus = wxWindow::FindFocus();
    return focus && (focus == control || focus->GetParent() == control);
}

#endif

} // namespace zemora
