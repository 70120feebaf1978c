// The browser control's state mirrored into the window.
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/Form1.h"

namespace zemora {

const wxString Form1::kTitleSuffix = wxString::FromUTF8(" - Zemora浏览器是真正无限制的浏览器！");
const wxString Form1::kBanner =
    wxString::FromUTF8("Zemora浏览器：小巧、快速、安全，上网就用 Zemora！");

void Form1::WebBrowser1_CommandStateChange(std::int32_t Command, bool Enable)
{
    if (Command == WebBrowserControl::CSC_NAVIGATEFORWARD)
        Toolbar1->SetEnabled(3, Enable);
    else if (Command == WebBrowserControl::CSC_NAVIGATEBACK)
        Toolbar1->SetEnabled(1, Enable);
}

void Form1::WebBrowser1_DownloadComplete()
{
    Label2->SetLabel(kBanner);
    Combo1->SetText(WebBrowser1->LocationURL());
    Text2->ChangeValue(WebBrowser1->LocationURL());
    Text1->ChangeValue(WebBrowser1->LocationName());
}

void Form1::WebBrowser1_TitleChange(const wxString& Text) { SetTitle(Text + kTitleSuffix); }

// The banner line carries a download's progress and outcome until the next page completes.
void Form1::WebBrowser1_StatusTextChange(const wxString& Text) { Label2->SetLabel(Text); }

} // namespace zemora
