// The window's keys: caught before the control with the focus sees them (the page
// included), each running what its button or menu would.
#include <wx/combobox.h>
#include <wx/dialog.h>
#include <wx/popupwin.h>

#include "app/Form1.h"
#include "app/gtk/Focus.h"
#include "app/gtk/KeyCapture.h"
#include "base/Commands.h"

namespace zemora {

namespace {

// The key as kKeyBindings spells it ("Ctrl+R", "Alt+Left", "F5"); empty for keys it never names.
std::string keyName(const wxKeyEvent& key)
{
    std::string name;
    switch (const int code = key.GetKeyCode()) {
    case WXK_F5: name = "F5"; break;
    case WXK_F6: name = "F6"; break;
    case WXK_LEFT:
    case WXK_NUMPAD_LEFT: name = "Left"; break;
    case WXK_RIGHT:
    case WXK_NUMPAD_RIGHT: name = "Right"; break;
    case WXK_HOME:
    case WXK_NUMPAD_HOME: name = "Home"; break;
    case WXK_ESCAPE: name = "Esc"; break;
    case '+':
    case '=':
    case WXK_NUMPAD_ADD: name = "Plus"; break;
    case '-':
    case '_':
    case WXK_NUMPAD_SUBTRACT: name = "Minus"; break;
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

// "Ctrl+Z" as "Ctrl+Shift+Z": Shift goes after the other modifiers.
std::string shifted(const std::string& name)
{
    const std::size_t key = name.rfind('+');
    return key == std::string::npos ? "Shift+" + name : name.substr(0, key + 1) + "Shift+" + name.substr(key + 1);
}

} // namespace

bool Form1::KeyDown(const wxKeyEvent& key)
{
    const std::string name = keyName(key);
    if (name.empty())
        return false;
    // Shift counts where the table names it, and is passed over where it does not.
    const auto bound = [](const std::string& keys) {
        return std::find_if(kKeyBindings.begin(), kKeyBindings.end(),
                            [&](const KeyBinding& b) { return b.keys == keys; });
    };
    auto binding = key.ShiftDown() ? bound(shifted(name)) : kKeyBindings.end();
    if (binding == kKeyBindings.end())
        binding = bound(name);
    if (binding == kKeyBindings.end())
        return false;
    const Command command = binding->command;
    // A list of ours dropped down keeps its keys: Esc closes it, Enter chooses.
    if (auto* from = dynamic_cast<wxWindow*>(key.GetEventObject());
        from && dynamic_cast<wxPopupWindow*>(wxGetTopLevelParent(from)))
        return false;
    if (const auto* dialog = dynamic_cast<const wxDialog*>(key.GetEventObject())) {
        // A modal dialog of ours keeps every key to itself: the window behind it waits.
        // In the find dialog Esc is the dialog's own, and so are the window's close keys.
        if (dialog->IsModal() || command == Command::Stop || command == Command::Close)
            return false;
    }
    switch (command) {
    case Command::Stop: {
        // Esc stops a load; otherwise it is the page's (its menus and dialogs close with
        // it), and in the address box it puts the page's address back.
        if (holdsWindowFocus(Combo1->Window())) {
            const wxString pageAddress = wxString::FromUTF8(WebBrowser1->LocationURL());
            if (Combo1->Text() != pageAddress) {
                ShowAddress(pageAddress);
                Combo1->Window()->SelectAll();
                return true;
            }
        }
        if (!WebBrowser1->Loading())
            return false;
        break;
    }
    case Command::Undo:
    case Command::Redo:
        // Only a text field of the page: the window's own boxes keep their own keys.
        if (!holdsWindowFocus(WebBrowser1->Window()))
            return false;
        break;
    default: break;
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
        if (!wheel.RawControlDown() || wheel.GetWheelRotation() == 0
            || wheel.GetWheelAxis() != wxMOUSE_WHEEL_VERTICAL) {
            wheel.Skip();
            return;
        }
        const int steps = wheel.GetWheelRotation() > 0 ? 1 : -1;
        runHandler([this, steps] { ZoomBy(steps); });
    });
}

} // namespace zemora
