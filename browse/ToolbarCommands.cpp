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
}

} // namespace zemora
