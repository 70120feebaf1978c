#include <wx/app.h>

#include "app/Startup.h"

namespace {

class ZemoraApp : public wxApp {
public:
    bool OnInit() override
    {
        zemora::startProgram(zemora::platformSeams());
        return true;
    }

    // Handlers report their own failures; this only keeps anything else from ending
    // the program.
    bool OnExceptionInMainLoop() override { return true; }
};

} // namespace

wxIMPLEMENT_APP(ZemoraApp);
