// The drop-downs' lists: filled without the toolkit's walk over every entry, opened
// by a list of ours when long, and what is dropped on their text field.
#include "app/gtk/ListPopup.h"

#include <wx/combobox.h>

#include "browse/DraggedText.h"

#ifdef __WXGTK__
#include <gtk/gtk.h>
#endif

namespace zemora {

#ifdef __WXGTK__

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
    g_signal_connect(
        press, "pressed",
        G_CALLBACK(+[](GtkGestureMultiPress* gesture, gint, gdouble, gdouble, std::function<bool()>* ask) {
            GdkEventSequence* sequence = gtk_gesture_single_get_current_sequence(GTK_GESTURE_SINGLE(gesture));
            const GdkEvent* event = gtk_gesture_get_last_event(GTK_GESTURE(gesture), sequence);
            GtkWidget* target = event ? gtk_get_event_widget(const_cast<GdkEvent*>(event)) : nullptr;
            const bool onArrow =
                target && (GTK_IS_TOGGLE_BUTTON(target) || gtk_widget_get_ancestor(target, GTK_TYPE_TOGGLE_BUTTON));
            if (onArrow && gtk_gesture_single_get_current_button(GTK_GESTURE_SINGLE(gesture)) == 1 && (*ask)())
                gtk_gesture_set_state(GTK_GESTURE(gesture), GTK_EVENT_SEQUENCE_CLAIMED);
        }),
        asked);
    g_object_set_data_full(G_OBJECT(combo), "zemora-list-press", press, g_object_unref);
}

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

#else

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

#endif

} // namespace zemora
