// The address box and "GO...": typed addresses, their completion and their history.
#include "app/Form1.h"
#include "browse/AddressCompletion.h"

#include <wx/clipbrd.h>
#include <wx/combobox.h>

#include "app/gtk/Focus.h"
#include "base/Commands.h"
#include "browse/PageRequests.h"

namespace zemora {

void Form1::OpenTypedAddress()
{
    const std::optional<std::string> typed = typedAddress(Combo1->Text().utf8_string());
    if (!typed)
        return;
    const wxString address = wxString::FromUTF8(*typed);
    // Navigation first: if the control refuses, the box and the history stay as they were.
    readPageOnLoad([&] { WebBrowser1->NavigateTo(*typed); });
    ShowAddress(address);
    // The address as set, not as read back: the box holds at most 65 535 characters, and
    // a longer address read back cut short would never match its own entry.
    if (!Combo1->Contains(address))
        Combo1->AddItem(address);
}

void Form1::Combo1_KeyPress(std::int16_t& KeyAscii)
{
    if (KeyAscii == kKeyEnter)
        OpenTypedAddress();
}

void Form1::Command1_Click() { OpenTypedAddress(); }

void Form1::Combo1_Click()
{
    readPageOnLoad([this] { WebBrowser1->NavigateTo(Combo1->Text().utf8_string()); });
    // What the box shows is what the user chose, as a typed address is: the page's own
    // address replaces it once loaded.
    ShowAddress(Combo1->Text());
}

void Form1::readPageOnLoad(const std::function<void()>& navigate)
{
    // Once its load starts (which may be at once), the page has the keys: Space and Page
    // Down read it, and no blank goes into the box.
    pageFocusDue_ = true;
    try {
        navigate();
    } catch (...) {
        pageFocusDue_ = false;
        throw;
    }
}

void Form1::ShowAddress(const wxString& address)
{
    Combo1->SetText(address);
    addressShown_ = address;
}

bool Form1::AddressBeingTyped() const { return holdsWindowFocus(Combo1->Window()) && Combo1->Text() != addressShown_; }

void Form1::DropOnAddress(const wxString& text, bool link)
{
    // A drop takes the box's place; pasted text, it never holds a script to run.
    Combo1->SetText(wxString::FromUTF8(withoutScriptScheme(text.utf8_string())));
    if (link)
        OpenTypedAddress();
}

void Form1::PasteAddress(wxClipboardTextEvent& event)
{
    wxString pasted;
    if (wxTheClipboard->Open()) {
        wxTextDataObject data;
        if (wxTheClipboard->IsSupported(wxDF_UNICODETEXT) && wxTheClipboard->GetData(data))
            pasted = data.GetText();
        wxTheClipboard->Close();
    }
    const std::string kept = withoutScriptScheme(pasted.utf8_string());
    if (kept == pasted.utf8_string()) {
        event.Skip(); // the box pastes it itself
        return;
    }
    Combo1->Window()->WriteText(wxString::FromUTF8(kept));
}

} // namespace zemora
