// The event wiring: each control's event runs its handler, and a handler's failure is
// reported in one place.
#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/stattext.h>
#include <wx/toolbar.h>

#include "app/DownloadsDialog.h"

#include "app/Form1.h"
#include "app/gtk/ListPopup.h"
#include "base/Commands.h"
#include "base/Texts.h"

namespace zemora {

void Form1::runHandler(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& e) {
        seams_.reportFailure(e.what());
    } catch (...) {
        seams_.reportFailure(bilingual(kUnknownError));
    }
}

void Form1::wireEvents()
{
    const auto handle = [this](void (Form1::*handler)()) {
        return [this, handler](wxEvent&) { runHandler([this, handler] { (this->*handler)(); }); };
    };
    Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        event.Skip(); // the frame still sizes its inner panel
        ApplyLayout();
    });
    Combo1->Window()->Bind(wxEVT_COMBOBOX, handle(&Form1::Combo1_Click));
    Combo1->Window()->Bind(wxEVT_CHAR, [this](wxKeyEvent& event) {
        event.Skip(); // the box still gets the key
        const int code = event.GetKeyCode();
        std::int16_t keyAscii = static_cast<std::int16_t>(
            code == WXK_RETURN || code == WXK_NUMPAD_ENTER ? kKeyEnter : event.GetUnicodeKey());
        runHandler([this, &keyAscii] { Combo1_KeyPress(keyAscii); });
    });
    Combo1->Window()->Bind(wxEVT_TEXT_PASTE, [this](wxClipboardTextEvent& event) { PasteAddress(event); });
    whenDropped(Combo1->Window(),
                [this](const wxString& text, bool link) { runHandler([&] { DropOnAddress(text, link); }); });
    Command1->Bind(wxEVT_BUTTON, handle(&Form1::Command1_Click));
    Toolbar1->Window()->Bind(wxEVT_TOOL, [this](wxCommandEvent& event) {
        const int position = Toolbar1->positionOf(event.GetId());
        if (position != 0)
            runHandler([this, position] { Toolbar1_ButtonClick(Toolbar1->Buttons(position)); });
    });
    WebBrowser1->CommandStateChange = [this](std::int32_t command, bool enable) {
        runHandler([=, this] { WebBrowser1_CommandStateChange(command, enable); });
    };
    WebBrowser1->DownloadComplete = [this] { runHandler([this] { WebBrowser1_DownloadComplete(); }); };
    WebBrowser1->TitleChange = [this](const std::string& text) {
        runHandler([this, &text] { WebBrowser1_TitleChange(wxString::FromUTF8(text)); });
    };
    WebBrowser1->StatusTextChange = [this](const std::string& text) {
        runHandler([this, &text] { WebBrowser1_StatusTextChange(wxString::FromUTF8(text)); });
    };
    WebBrowser1->DownloadStatusChange = [this](const std::string& text) {
        runHandler([this, &text] {
            WebBrowser1_StatusTextChange(wxString::FromUTF8(text));
            bannerTellsDownloads_ = true;
        });
    };
    WebBrowser1->DownloadsChange = [this] {
        if (downloadsDialog_ && downloadsDialog_->IsShown())
            runHandler([this] { downloadsDialog_->showDownloads(); });
    };
    Label2->Bind(wxEVT_LEFT_UP, [this](wxMouseEvent& event) {
        event.Skip();
        if (bannerTellsDownloads_)
            runHandler([this] { ShowDownloads(); });
    });
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& event) { askBeforeClosing(event); });
    autofresh->Bind(wxEVT_BUTTON, handle(&Form1::autofresh_Click));
    Timer1.onTick = [this] { runHandler([this] { Timer1_Timer(); }); };
    Combo2->Window()->Bind(wxEVT_COMBOBOX, handle(&Form1::Combo2_Click));
    wireFavoritesWatch();
}

} // namespace zemora
