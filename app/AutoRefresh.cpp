// Auto refresh: once started, the shown page is reloaded every minute until the window
// closes. A reload never cuts a load short, which is often the user's own navigation: a
// tick during a load reloads the page shown once the load has ended.
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
    refreshDue_ = true;
    refreshIfDue();
}

void Form1::refreshIfDue()
{
    if (!refreshDue_ || WebBrowser1->Loading())
        return;
    refreshDue_ = false;
    skipError([this] { WebBrowser1->Refresh(); });
}

} // namespace zemora
