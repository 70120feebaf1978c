// The window hears its keys before the control with the focus, a web page included.
#include "app/gtk/KeyCapture.h"

#include <utility>

#include <wx/event.h>
#include <wx/window.h>

#ifdef __WXGTK__
#include <gtk/gtk.h>
#endif

namespace zemora {

#ifdef __WXGTK__

namespace {

// The toolkit's key code for a key value, as its own key events carry it; 0 for keys
// that have none here (modifiers alone, dead keys, other scripts' letters).
int keyCodeOf(guint keyval)
{
    static const std::pair<guint, int> special[] = {
        {GDK_KEY_Escape, WXK_ESCAPE},
        {GDK_KEY_Return, WXK_RETURN},
        {GDK_KEY_Tab, WXK_TAB},
        {GDK_KEY_BackSpace, WXK_BACK},
        {GDK_KEY_Delete, WXK_DELETE},
        {GDK_KEY_Insert, WXK_INSERT},
        {GDK_KEY_Left, WXK_LEFT},
        {GDK_KEY_Right, WXK_RIGHT},
        {GDK_KEY_Up, WXK_UP},
        {GDK_KEY_Down, WXK_DOWN},
        {GDK_KEY_Home, WXK_HOME},
        {GDK_KEY_End, WXK_END},
        {GDK_KEY_Page_Up, WXK_PAGEUP},
        {GDK_KEY_Page_Down, WXK_PAGEDOWN},
        {GDK_KEY_KP_Left, WXK_NUMPAD_LEFT},
        {GDK_KEY_KP_Right, WXK_NUMPAD_RIGHT},
        {GDK_KEY_KP_Home, WXK_NUMPAD_HOME},
        {GDK_KEY_KP_Add, WXK_NUMPAD_ADD},
        {GDK_KEY_KP_Subtract, WXK_NUMPAD_SUBTRACT},
        {GDK_KEY_KP_Enter, WXK_NUMPAD_ENTER},
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
    g_signal_connect_data(
        keys, "key-pressed", G_CALLBACK(onKeyCaptured), new KeyRoute(typedIn, hearer),
        +[](gpointer route, GClosure*) { delete static_cast<KeyRoute*>(route); }, GConnectFlags(0));
    // Lives as long as the window.
    g_object_set_data_full(G_OBJECT(top), "zemora-keys", keys, g_object_unref);
}

#else

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

#endif

} // namespace zemora
