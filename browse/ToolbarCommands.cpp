// The toolbar: each button's meaning is bound to its key.
#include <wx/textctrl.h>

#include "app/Form1.h"

namespace zemora {

namespace {

struct Portal {
    const char* key;
    const char* address;
};

constexpr Portal kPortals[] = {
    {"baidu", "http://www.baidu.com"},      {"MSN", "http://www.msn.cn"},
    {"souhu", "http://www.sohu.com"},       {"wangyi", "http://www.163.com"},
    {"xinlang", "http://www.sina.com.cn"}, {"yahoo", "http://cn.yahoo.com"},
};

} // namespace

void Form1::Toolbar1_ButtonClick(const ToolbarButton& Button)
{
    const wxString& key = Button.Key;
    if (key == "back")
        return WebBrowser1->GoBack();
    if (key == "forward")
        return WebBrowser1->GoForward();
    if (key == "refresh")
        return WebBrowser1->Refresh();
    if (key == "stop")
        return WebBrowser1->Stop();
    if (key == "home")
        return WebBrowser1->GoHome();
    for (const Portal& portal : kPortals)
        if (key == portal.key)
            return WebBrowser1->NavigateTo(portal.address);
    if (key == "add")
        return addCurrentPage();
}

void Form1::addCurrentPage()
{
    const wxString name = Text1->GetValue();
    const wxString address = Text2->GetValue();
    // Before any page has loaded the box holds its prompt, which is no address to keep.
    if (address.empty() || address == kAddressPrompt) {
        seams_.tellUser("还没有可以收藏的网页。(There is no page to add to the favorites yet.)");
        return;
    }
    AddToFavorites(name, address);
}

} // namespace zemora
