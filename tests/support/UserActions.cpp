#include "tests/support/UserActions.h"

#include <gtk/gtk.h>
#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/toolbar.h>

#include "tests/support/TestEnvironment.h"

namespace zemora::test {

namespace {

GtkWidget* keyboardWidget(wxWindow* window)
{
    GtkWidget* widget = static_cast<GtkWidget*>(window->GetHandle());
    if (GTK_IS_COMBO_BOX(widget) && gtk_combo_box_get_has_entry(GTK_COMBO_BOX(widget)))
        return gtk_bin_get_child(GTK_BIN(widget));
    return widget;
}

GdkDevice* keyboardOf(GtkWidget* widget)
{
    return gdk_seat_get_keyboard(gdk_display_get_default_seat(gtk_widget_get_display(widget)));
}

GdkEvent* keyEvent(GtkWidget* widget, GdkEventType type, unsigned keyval, unsigned modifiers)
{
    GdkEvent* event = gdk_event_new(type);
    GdkEventKey* key = &event->key;
    key->window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(widget)));
    key->send_event = TRUE;
    key->time = GDK_CURRENT_TIME;
    key->state = modifiers;
    key->keyval = keyval;
    GdkKeymapKey* keys = nullptr;
    gint count = 0;
    if (gdk_keymap_get_entries_for_keyval(gdk_keymap_get_for_display(gtk_widget_get_display(widget)), keyval, &keys,
                                          &count)
        && count > 0)
        key->hardware_keycode = static_cast<guint16>(keys[0].keycode);
    g_free(keys);
    gdk_event_set_device(event, keyboardOf(widget));
    return event;
}

void sendKey(GtkWidget* widget, GdkEventType type, unsigned keyval, unsigned modifiers)
{
    GdkEvent* event = keyEvent(widget, type, keyval, modifiers);
    gtk_widget_event(widget, event);
    gdk_event_free(event);
}

// The display sends keys only to the window that has its keyboard focus, and the toolkit's
// keyboard walk depends on it (a button that already has the focus in an unfocused window
// takes it again instead of passing it on). Another test's window on the same display can
// take that focus, so the window is given it back first, as a click into it would.
void giveKeyboardFocus(GtkWidget* top)
{
    if (!GTK_IS_WINDOW(top) || gtk_window_has_toplevel_focus(GTK_WINDOW(top)))
        return;
    GdkEvent* event = gdk_event_new(GDK_FOCUS_CHANGE);
    event->focus_change.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(top)));
    event->focus_change.send_event = TRUE;
    event->focus_change.in = TRUE;
    gdk_event_set_device(event, keyboardOf(top));
    gtk_main_do_event(event);
    gdk_event_free(event);
}

} // namespace

void pressKey(wxWindow* window, unsigned keyval, unsigned modifiers)
{
    GtkWidget* widget = keyboardWidget(window);
    gtk_widget_realize(widget);
    giveKeyboardFocus(gtk_widget_get_toplevel(widget));
    // Keys reach the widget that has the focus; what the toolkit does with a key the
    // widget leaves (Enter activating the focused widget) depends on that.
    gtk_widget_grab_focus(widget);
    sendKey(widget, GDK_KEY_PRESS, keyval, modifiers);
    sendKey(widget, GDK_KEY_RELEASE, keyval, modifiers);
    runPendingEvents();
}

void typeKey(wxWindow* window, unsigned keyval, unsigned modifiers)
{
    GtkWidget* top = gtk_widget_get_toplevel(static_cast<GtkWidget*>(window->GetHandle()));
    gtk_widget_realize(top);
    giveKeyboardFocus(top);
    for (GdkEventType type : {GDK_KEY_PRESS, GDK_KEY_RELEASE}) {
        GdkEvent* event = keyEvent(top, type, keyval, modifiers);
        gtk_main_do_event(event);
        gdk_event_free(event);
    }
    runPendingEvents();
}

void clickButton(wxButton* button)
{
    gtk_button_clicked(GTK_BUTTON(button->GetHandle()));
    runPendingEvents();
}

void clickTool(wxToolBar* bar, int slot)
{
    GtkToolItem* item = gtk_toolbar_get_nth_item(bar->GTKGetToolbar(), slot - 1);
    g_signal_emit_by_name(item, "clicked");
    runPendingEvents();
}

int slotCaptioned(wxToolBar* bar, const wxString& caption)
{
    for (int position = 0; position < static_cast<int>(bar->GetToolsCount()); ++position)
        if (bar->GetToolByPos(position)->GetLabel() == caption)
            return position + 1;
    return 0;
}

void chooseFromList(wxComboBox* box, int position)
{
    gtk_combo_box_set_active(GTK_COMBO_BOX(box->GetHandle()), position);
    runPendingEvents();
}

std::vector<int> shownPopups()
{
    std::vector<int> heights;
    GList* windows = gtk_window_list_toplevels();
    for (GList* w = windows; w; w = w->next)
        if (gtk_widget_get_mapped(GTK_WIDGET(w->data))
            && gtk_window_get_window_type(GTK_WINDOW(w->data)) == GTK_WINDOW_POPUP)
            heights.push_back(gtk_widget_get_allocated_height(GTK_WIDGET(w->data)));
    g_list_free(windows);
    return heights;
}

} // namespace zemora::test
