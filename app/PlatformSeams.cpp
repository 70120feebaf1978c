#include <wx/app.h>
#include <wx/msgdlg.h>

#include "app/Form1.h"
#include "app/WxText.h"
#include "engine/WebKitBrowser.h"
#include "app/AddFavoriteDialog.h"
#include "app/ToolkitTweaks.h"
#include "favorites/FavoritesFolder.h"

namespace zemora {

namespace {

// Shown once the running handler has ended, so no handler runs inside another.
void showLater(const std::string& message, long icon)
{
    wxTheApp->CallAfter([message, icon] {
        wxMessageBox(wxString::FromUTF8(message), wxText(kCaption), wxOK | icon);
    });
}

} // namespace

Form1Seams platformSeams()
{
    Form1Seams seams;
    seams.createBrowser = [](wxWindow* parent) -> std::unique_ptr<WebBrowserControl> {
        auto browser = std::make_unique<WebKitBrowser>(parent);
        browser->askSilenceDialogs = [parent] {
            wxMessageDialog ask(wxGetTopLevelParent(parent), wxString::FromUTF8(bilingual(kSilenceDialogs)), wxText(kCaption),
                                wxYES_NO | wxNO_DEFAULT | wxICON_QUESTION);
            return ask.ShowModal() == wxID_YES;
        };
        browser->askOpenElsewhere = [parent](const std::string& program, const std::string& address) {
            wxMessageDialog ask(wxGetTopLevelParent(parent),
                                wxString::FromUTF8(bilingual(kOpenElsewhere, {{"program", program}}) + "\n\n" +
                                                   address.substr(0, kMaxToldAddress)),
                                wxText(kCaption), wxYES_NO | wxYES_DEFAULT | wxICON_QUESTION);
            return ask.ShowModal() == wxID_YES;
        };
        browser->askMoreDownloads = [parent] {
            wxMessageDialog ask(wxGetTopLevelParent(parent), wxString::FromUTF8(bilingual(kMoreDownloadsQuestion)),
                                wxText(kCaption), wxYES_NO | wxNO_DEFAULT | wxICON_QUESTION);
            ask.SetYesNoLabels(wxString::FromUTF8(bilingual(kAllowButton)), wxString::FromUTF8(bilingual(kBlockButton)));
            return ask.ShowModal() == wxID_YES;
        };
        return browser;
    };
    seams.favoritesFolder = [] { return favoritesFolderFromEnvironment(); };
    seams.addFavoriteDialog = showAddFavoriteDialog;
    seams.reportFailure = [](const std::string& message) {
        showLater(bilingual(kRunTimeError) + "\n\n" + message, wxICON_ERROR);
    };
    seams.tellUser = [](const std::string& message) { showLater(message, wxICON_INFORMATION); };
    seams.ask = [](const std::string& question) {
        wxMessageDialog ask(wxTheApp->GetTopWindow(), wxString::FromUTF8(question), wxText(kCaption),
                            wxYES_NO | wxNO_DEFAULT | wxICON_QUESTION);
        return ask.ShowModal() == wxID_YES;
    };
    seams.openFile = [](const std::string& path) { openWithDesktop(path); };
    seams.showInFolder = [](const std::string& path) { showInFileManager(path); };
    return seams;
}

} // namespace zemora
