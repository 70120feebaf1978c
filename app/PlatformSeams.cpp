#include <cstdlib>

#include <wx/app.h>
#include <wx/msgdlg.h>

#include "app/Form1.h"
#include "browse/WebKitBrowser.h"


namespace zemora {

Form1Seams platformSeams()
{
    Form1Seams seams;
    seams.createBrowser = [](wxWindow* parent) { return std::make_unique<WebKitBrowser>(parent); };
    seams.favoritesFolder = []() -> std::optional<std::string> { const char* home = std::getenv("HOME"); if (!home) return std::nullopt; return std::string(home) + "/Favorites"; };
    seams.reportFailure = [](const std::string& message) {
        // Shown once the failed handler has ended, so no handler runs inside another.
        wxTheApp->CallAfter([message] {
            wxMessageBox(wxString::FromUTF8("运行时错误 (Run-time error)\n\n" + message),
                         Form1::kCaption, wxOK | wxICON_ERROR);
        });
    };
    return seams;
}

} // namespace zemora
