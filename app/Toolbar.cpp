// The toolbar: each button's meaning is bound to its key.
#include <wx/textctrl.h>

#include "app/Form1.h"
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
