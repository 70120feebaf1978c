// The program's start: the window is made, loads its favorites and its first page, and
// shows.
#include "app/Startup.h"

#include "app/WxText.h"
#include "base/Addresses.h"
#include "base/ErrorSkipping.h"
#include "favorites/ShortcutFile.h"

#include <clocale>

namespace zemora {

Form1* startProgram(Form1Seams seams, StartPage start)
{
    std::setlocale(LC_ALL, "");
    auto* form = new Form1(std::move(seams));
    form->Start = std::move(start);
    form->runHandler([form] { form->Form_Load(); });
    form->Show();
    return form;
}

void Form1::Form_Load()
{
    LoadFavoritesList();
    skipError([this] { CaptureLayout(); });
    WebBrowser1->NavigateTo(startAddress().utf8_string());
}

wxString Form1::startAddress() const
{
    if (!Start.shortcutFile.empty())
        return wxString::FromUTF8(readShortcutAddress(Start.shortcutFile));
    if (!Start.address.empty())
        return wxString::FromUTF8(Start.address);
    return wxText(kStartAddress);
}

} // namespace zemora
