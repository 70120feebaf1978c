// The browser control's state mirrored into the window.
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/Form1.h"
#include "app/WxText.h"
#include "base/Commands.h"
#include "base/Texts.h"
#include "browse/PageTitles.h"

namespace zemora {

void Form1::WebBrowser1_CommandStateChange(std::int32_t Command, bool Enable)
{
    if (Command == WebBrowserControl::CSC_NAVIGATEFORWARD)
        Toolbar1->SetEnabled(slotOf(Command::Forward), Enable);
    else if (Command == WebBrowserControl::CSC_NAVIGATEBACK)
        Toolbar1->SetEnabled(slotOf(Command::Back), Enable);
}

void Form1::WebBrowser1_DownloadComplete()
{
    Label2->SetLabel(wxText(kBanner));
    bannerTellsDownloads_ = false;
    // A page that reloads itself (a meta refresh) must not wipe what the user is typing.
    if (!AddressBeingTyped())
        ShowAddress(wxString::FromUTF8(WebBrowser1->LocationURL()));
    Text2->ChangeValue(wxString::FromUTF8(WebBrowser1->LocationURL()));
    Text1->ChangeValue(wxString::FromUTF8(WebBrowser1->LocationName()));
}

// The title cannot turn the suffix around or push it out of sight.
void Form1::WebBrowser1_TitleChange(const wxString& Text)
{
    SetTitle(wxString::FromUTF8(shownTitle(Text.utf8_string())) + wxText(kTitleSuffix));
    // A title that comes after the page has loaded names the page to keep; the rest of
    // what the completion showed (the banner, the address) stays as it is.
    if (!WebBrowser1->Loading())
        Text1->ChangeValue(wxString::FromUTF8(WebBrowser1->LocationName()));
}

// The banner line carries a download's progress and outcome until the next page completes.
void Form1::WebBrowser1_StatusTextChange(const wxString& Text)
{
    Label2->SetLabel(Text);
    bannerTellsDownloads_ = false;
}

} // namespace zemora
