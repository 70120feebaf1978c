// Auto refresh: once started, the shown page is reloaded every minute until the window
// closes.
#include <wx/button.h>

#include "base/ErrorSkipping.h"
#include "app/Form1.h"
#include "app/ToolkitTweaks.h"

namespace zemora {

void Form1::autofresh_Click()
{
    Timer1.SetInterval(kRefreshInterval);
    showPressed(autofresh, Timer1.IsRunning());
    WebBrowser1->NavigateTo(Combo1->Text());
}

void Form1::Timer1_Timer()
{
    skipError([this] { WebBrowser1->Refresh(); });
}

} // namespace zemora
