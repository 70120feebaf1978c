// Keys the engine hands back to the window (engine/EngineFaults.md, 6).
#include <webkit2/webkit2.h>

#include "engine/WebKitBrowser.h"

namespace zemora {

namespace {

constexpr char kLastKey[] = "zemora-last-page-key";

// The last key press the view was given: the engine hands back the very same event.
struct PageKey {
    guint32 time = 0;
    guint16 keycode = 0;
    guint keyval = 0;
};

gboolean onPageKey(GtkWidget*, GdkEventKey* event, PageKey* key)
{
    key->time = event->time;
    key->keycode = event->hardware_keycode;
    key->keyval = event->keyval;
    return FALSE;
}

// Heard on the window before the toolkit hands the key to the control with the focus.
gboolean onWindowKey(GtkEventControllerKey*, guint, guint, GdkModifierType, GtkWidget* page)
{
    auto* key = static_cast<PageKey*>(g_object_get_data(G_OBJECT(page), kLastKey));
    GdkEvent* current = gtk_get_current_event();
    const auto* event = current && current->type == GDK_KEY_PRESS ? &current->key : nullptr;
    const bool handedBack = key && event && key->time == event->time && key->keycode == event->hardware_keycode
                            && key->keyval == event->keyval;
    const bool redelivered = handedBack && !gtk_widget_has_focus(page);
    if (redelivered) {
        *key = PageKey();
        gtk_widget_event(page, current);
    }
    if (current)
        gdk_event_free(current);
    return redelivered;
}

void onPlaced(GtkWidget* view, GtkWidget*, gpointer)
{
    GtkWidget* top = gtk_widget_get_toplevel(view);
    if (!GTK_IS_WINDOW(top) || g_object_get_data(G_OBJECT(top), kLastKey))
        return;
    GtkEventController* keys = gtk_event_controller_key_new(top);
    gtk_event_controller_set_propagation_phase(keys, GTK_PHASE_CAPTURE);
    g_signal_connect_object(keys, "key-pressed", G_CALLBACK(onWindowKey), view, G_CONNECT_DEFAULT);
    // Lives as long as the window.
    g_object_set_data_full(G_OBJECT(top), kLastKey, keys, g_object_unref);
}

} // namespace

void WebKitBrowser::keepHandedBackKeysWithThePage()
{
    // The engine hands a key the page did not take back to the window, to go its way as if
    // the view had passed it on, and drops the next key it is given in its place. When the
    // window has moved the focus meanwhile (Ctrl+L: Ctrl reached the page, L the window),
    // the key handed back would go to another control, and the page would lose the next
    // key it gets, the Space that should scroll it. It goes back to the view instead.
    auto* last = new PageKey;
    g_object_set_data_full(G_OBJECT(web_), kLastKey, last, [](gpointer key) { delete static_cast<PageKey*>(key); });
    g_signal_connect(web_, "key-press-event", G_CALLBACK(onPageKey), last);
    g_signal_connect(web_, "hierarchy-changed", G_CALLBACK(onPlaced), nullptr);
    onPlaced(GTK_WIDGET(web_), nullptr, nullptr);
}

} // namespace zemora
