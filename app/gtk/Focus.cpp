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
    bool AcceptsFocusFromKeyboard() const override { return true; }

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

// Makes a control one stop of the keyboard's walk.
void focusStop(wxWindow* control)
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
                             }),
                             bar);
            g_signal_connect(button, "focus-out-event", G_CALLBACK(+[](GtkWidget*, GdkEvent*, gpointer bar) {
                                 static_cast<wxToolBar*>(bar)->GTKHandleFocusOut();
                                 return FALSE;
                             }),
                             bar);
        }
    }
}

} // namespace

void followTabOrder(wxWindow*, std::vector<wxWindow*> order)
{
    // The toolkit's own order, from which it makes the panel's focus chain.
    for (std::size_t i = 1; i < order.size(); ++i)
        order[i]->MoveAfterInTabOrder(order[i - 1]);
    // What each control is as a stop: a drop-down's text, never its arrow; the toolbar's
    // buttons, walked with the arrow keys.
    for (wxWindow* control : order)
        focusStop(control);
}

bool holdsWindowFocus(const wxWindow* control)
{
    GtkWidget* widget = control->GetHandle();
    GtkWidget* top = gtk_widget_get_toplevel(widget);
    GtkWidget* focus = GTK_IS_WINDOW(top) ? gtk_window_get_focus(GTK_WINDOW(top)) : nullptr;
    return focus && (focus == widget || gtk_widget_is_ancestor(focus, widget));
}

#else

void followTabOrder(wxWindow*, std::vector<wxWindow*> order)
{
    for (std::size_t i = 1; i < order.size(); ++i)
        order[i]->MoveAfterInTabOrder(order[i - 1]);
}

bool holdsWindowFocus(const wxWindow* control)
{
    const wxWindow* focus = wxWindow::FindFocus();
    return focus && (focus == control || focus->GetParent() == control);
}

#endif

} // namespace zemora
