// The window's keys: caught before the control with the focus sees them (the page
// included), each running what its button or menu would.
#include <wx/combobox.h>
#include <wx/dialog.h>

#include "app/Form1.h"
#include "app/ToolkitTweaks.h"

namespace zemora {

namespace {

// The key as kKeyBindings spells it ("Ctrl+R", "Alt+Left", "F5"); empty for keys it never names.
std::string keyName(const wxKeyEvent& key)
{
    std::string name;
    switch (const int code = key.GetKeyCode()) {
    case WXK_F5: name = "F5"; break;
    case WXK_F6: name = "F6"; break;
    case WXK_LEFT: case WXK_NUMPAD_LEFT: name = "Left"; break;
    case WXK_RIGHT: case WXK_NUMPAD_RIGHT: name = "Right"; break;
    case WXK_HOME: case WXK_NUMPAD_HOME: name = "Home"; break;
    case WXK_ESCAPE: name = "Esc"; break;
    case '+': case '=': case WXK_NUMPAD_ADD: name = "Plus"; break;
    case '-': case '_': case WXK_NUMPAD_SUBTRACT: name = "Minus"; break;
    case WXK_NUMPAD0: name = "0"; break;
    default:
        if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9'))
            name = static_cast<char>(code);
        else if (code >= 'a' && code <= 'z')
            name = static_cast<char>(code - 'a' + 'A');
        else
            return {};
    }
    if (key.AltDown())
        name = "Alt+" + name;
    if (key.RawControlDown())
        name = "Ctrl+" + name;
    return name;
}

} // namespace

bool Form1::KeyDown(const wxKeyEvent& key)
{
    const std::string name = keyName(key);
    const auto binding = std::find_if(kKeyBindings.begin(), kKeyBindings.end(),
                                      [&](const KeyBinding& b) { return b.keys == name; });
    if (name.empty() || binding == kKeyBindings.end())
        return false;
    const Command command = binding->command;
    // In a dialog of ours Esc is the dialog's own, and so are the window's close keys; a
    // modal dialog also keeps the keys that would open or focus another window.
    if (const auto* dialog = dynamic_cast<const wxDialog*>(key.GetEventObject())) {
        if (command == Command::Stop || command == Command::Close)
            return false;
        if (dialog->IsModal() &&
            (command == Command::AddFavorite || command == Command::Find || command == Command::FocusAddress))
            return false;
    }
    // The same run as the toolbar's, so a key's refusals read the same as a click's.
    runHandler([this, command] { run(command); });
    return true;
}

void Form1::FocusAddress()
{
    Combo1->Window()->SetFocus();
    Combo1->Window()->SelectAll();
}

void Form1::wireKeys()
{
    // The frame hears a key before the focused control does, a web page included, and so
    // do the dialogs it opens.
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& key) {
        if (!KeyDown(key))
            key.Skip();
    });
    hearKeysFirst(this, this);
    WebBrowser1->Window()->Bind(wxEVT_MOUSEWHEEL, [this](wxMouseEvent& wheel) {
        if (!wheel.RawControlDown() || wheel.GetWheelRotation() == 0 ||
            wheel.GetWheelAxis() != wxMOUSE_WHEEL_VERTICAL) {
            wheel.Skip();
            return;
        }
        const int steps = wheel.GetWheelRotation() > 0 ? 1 : -1;
        runHandler([this, steps] { ZoomBy(steps); });
    });
}

} // namespace zemora
