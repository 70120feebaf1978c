// The toolbar: each button's meaning is bound to its key.
#include <algorithm>

#include <wx/textctrl.h>
#include <wx/toolbar.h>

#include "app/Form1.h"
#include "app/Resources.h"
#include "app/ToolkitTweaks.h"
#include "app/WxText.h"
#include "browse/ToolbarCommands.h"

namespace zemora {

void Form1::Toolbar1_ButtonClick(const ToolbarButton& Button)
{
    const ToolbarCommand command = toolbarCommand(Button.Key.utf8_string());
    switch (command.action) {
    case ToolbarAction::Back: return WebBrowser1->GoBack();
    case ToolbarAction::Forward: return WebBrowser1->GoForward();
    case ToolbarAction::Refresh: return WebBrowser1->Refresh();
    case ToolbarAction::Stop: return WebBrowser1->Stop();
    case ToolbarAction::Home: return WebBrowser1->GoHome();
    case ToolbarAction::Open: return WebBrowser1->NavigateTo(wxText(command.address));
    case ToolbarAction::AddFavorite: return addCurrentPage();
    case ToolbarAction::None: return;
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
    const std::vector<wxBitmapBundle> pictures =
        size == full ? ImageList1.ListImages : toolbarPictures(size);
    bar->SetToolBitmapSize(size);
    for (int position = 1; position <= Toolbar1->Count(); ++position) {
        const ToolbarButton& button = Toolbar1->Buttons(position);
        bar->SetToolNormalBitmap(button.id, pictures[static_cast<std::size_t>(button.Image) - 1]);
    }
}

void Form1::addCurrentPage()
{
    const wxString name = Text1->GetValue();
    const wxString address = Text2->GetValue();
    // Before any page has loaded the box holds its prompt, which is no address to keep.
    if (address.empty() || address == wxText(kAddressPrompt)) {
        seams_.tellUser(bilingual(kNoPageToAdd));
        return;
    }
    AddToFavorites(name, address);
}

} // namespace zemora
