#include <wx/app.h>
#include <wx/msgdlg.h>

#include "app/AddFavoriteDialog.h"
#include "app/Form1.h"
#include "app/WxText.h"
#include "app/gtk/Desktop.h"
#include "base/Limits.h"
#include "base/Texts.h"
#include "engine/WebKitBrowser.h"
#include "favorites/FavoritesFolder.h"

namespace zemora {

namespace {

// Shown once the running handler has ended, so no handler runs inside another.
void showLater(const std::string& message, long icon)
{
    wxTheApp->CallAfter([message, icon] { wxMessageBox(wxString::FromUTF8(message), wxText(kCaption), wxOK | icon); });
}

// A question of the page's, answered yes or no (Esc or closing it is no); with `allow`, the
// answers read "Allow" and "Block".
bool askAbout(wxWindow* page, const std::string& question, bool allow = false, long defaultAnswer = wxNO_DEFAULT)
{
    wxMessageDialog ask(page ? wxGetTopLevelParent(page) : wxTheApp->GetTopWindow(), wxString::FromUTF8(question),
                        wxText(kCaption), wxYES_NO | defaultAnswer | wxICON_QUESTION);
    if (allow)
        ask.SetYesNoLabels(wxString::FromUTF8(bilingual(kAllowButton)), wxString::FromUTF8(bilingual(kBlockButton)));
    return ask.ShowModal() == wxID_YES;
}

} // namespace

Form1Seams platformSeams()
{
    Form1Seams seams;
    seams.createBrowser = [](wxWindow* parent) -> std::unique_ptr<HostedBrowser> {
        auto browser = std::make_unique<WebKitBrowser>(parent);
        browser->askSilenceDialogs = [parent] { return askAbout(parent, bilingual(kSilenceDialogs)); };
        browser->askOpenElsewhere = [parent](const std::string& program, const std::string& address) {
            return askAbout(
                parent, bilingual(kOpenElsewhere, {{"program", program}}) + "\n\n" + address.substr(0, kMaxToldAddress),
                false, wxYES_DEFAULT);
        };
        browser->askPermission = [parent](const std::string& question) { return askAbout(parent, question, true); };
        browser->askMoreDownloads = [parent] { return askAbout(parent, bilingual(kMoreDownloadsQuestion), true); };
        return browser;
    };
    seams.favoritesFolder = [] { return favoritesFolderFromEnvironment(); };
    seams.addFavoriteDialog = showAddFavoriteDialog;
    seams.reportFailure = [](const std::string& message) {
        showLater(bilingual(kRunTimeError) + "\n\n" + message, wxICON_ERROR);
    };
    seams.tellUser = [](const std::string& message) { showLater(message, wxICON_INFORMATION); };
    seams.ask = [](const std::string& question) { return askAbout(nullptr, question); };
    seams.openFile = [](const std::string& path) { openWithDesktop(path); };
    seams.showInFolder = [](const std::string& path) { showInFileManager(path); };
    return seams;
}

} // namespace zemora
