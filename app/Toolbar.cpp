// The toolbar, and what each command of a button or a key does.
#include <algorithm>

#include <wx/textctrl.h>
#include <wx/toolbar.h>

#include "app/Form1.h"
#include "app/Resources.h"
#include "app/WxText.h"
#include "app/gtk/ToolbarLook.h"
#include "base/Commands.h"
#include "base/Texts.h"
#include "browse/PageRequests.h"
#include "browse/PageTitles.h"
#include "browse/ToolbarCommands.h"

namespace zemora {

void Form1::Toolbar1_ButtonClick(const ToolbarButton& Button)
{
    if (const std::optional<ToolbarCommand> command = toolbarCommand(Button.Key.utf8_string()))
        run(command->command, command->address);
}

void Form1::run(Command command, std::string_view address)
{
    switch (command) {
    case Command::Back: return WebBrowser1->GoBack();
    case Command::Forward: return WebBrowser1->GoForward();
    case Command::Refresh: return WebBrowser1->Refresh();
    case Command::Stop: return WebBrowser1->Stop();
    case Command::Home: return WebBrowser1->GoHome();
    case Command::OpenPortal: return WebBrowser1->NavigateTo(std::string(address));
    case Command::AddFavorite: return addCurrentPage();
    case Command::FocusAddress: return FocusAddress();
    case Command::Find: return ShowFind();
    case Command::ZoomIn: return ZoomBy(1);
    case Command::ZoomOut: return ZoomBy(-1);
    case Command::ZoomReset: return ZoomBy(0);
    case Command::Close: Close(); return;
    case Command::Undo: return WebBrowser1->Undo();
    case Command::Redo: return WebBrowser1->Redo();
    case Command::Downloads: return ShowDownloads();
    case Command::Print: return WebBrowser1->Print();
    }
}

void Form1::fitToolbarPictures()
{
    wxToolBar* bar = Toolbar1->Window();
    const wxSize full = pictureSize();
    // Pictures keep the image size and never grow with the toolbar; only a toolbar made
    // lower than a picture (a small window at a large text scale) gets them smaller, in
    // proportion and drawn anew from their sources, rather than cut off.
    const int room = std::max(1, pictureRoom(bar));
    const wxSize size = room >= full.y ? full : wxSize(std::max(1, full.x * room / full.y), room);
    if (size == bar->GetToolBitmapSize())
        return;
    const std::vector<wxBitmapBundle> pictures = size == full ? ImageList1.ListImages : toolbarPictures(size);
    bar->SetToolBitmapSize(size);
    for (int position = 1; position <= Toolbar1->Count(); ++position) {
        const ToolbarButton& button = Toolbar1->Buttons(position);
        bar->SetToolNormalBitmap(button.id, pictures[static_cast<std::size_t>(button.Image) - 1]);
    }
}

void Form1::addCurrentPage()
{
    // Offered as the favorite's name the way the caption shows it.
    const wxString name = wxString::FromUTF8(shownTitle(Text1->GetValue().utf8_string()));
    const wxString address = Text2->GetValue();
    // Before any page has loaded the box holds its prompt, which is no address to keep.
    if (address.empty() || address == wxText(kAddressPrompt)) {
        seams_.tellUser(bilingual(kNoPageToAdd));
        return;
    }
    // The page's address is the engine's, never typed here: script in it is a page's, and
    // kept as a favorite it would run in whatever site is shown when it is chosen.
    if (isScriptAddress(address.utf8_string())) {
        seams_.tellUser(bilingual(kScriptNotAdded));
        return;
    }
    AddToFavorites(name, address);
}

} // namespace zemora
