#include <clocale>

#include <wx/app.h>
#include <wx/msgdlg.h>

#include "app/Form1.h"
#include "app/Language.h"

namespace {

class ZemoraApp : public wxApp {
public:
    // Before the toolkit starts, which reads the locale once.
    ZemoraApp() { zemora::useChineseMessages(); }

    bool OnInit() override
    {
        // The locale's character set stands in for the system code page.
        std::setlocale(LC_ALL, "");
        auto* form = new zemora::Form1(zemora::platformSeams());
        form->runHandler([form] { form->Form_Load(); });
        form->Show();
        return true;
    }

    // Handlers report their own failures; this only keeps anything else from ending
    // the program.
    bool OnExceptionInMainLoop() override { return true; }
};

} // namespace

wxIMPLEMENT_APP(ZemoraApp);
