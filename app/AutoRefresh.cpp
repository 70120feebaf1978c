// Auto refresh: once started, the shown page is reloaded every minute until the window
// closes. A reload never cuts a load short, which is often the user's own navigation: a
// tick during a load reloads the page shown once the load has ended, or at the next tick
// if the load is still going then.
#include <wx/button.h>

#include "app/Form1.h"
#include "app/gtk/Accessibility.h"
#include "base/ErrorSkipping.h"
#include "base/Limits.h"

namespace zemora {

void Form1::autofresh_Click()
{
    Timer1.SetInterval(kRefreshInterval);
    showPressed(autofresh, Timer1.IsRunning());
    WebBrowser1->NavigateTo(Combo1->Text().utf8_string());
}

void Form1::Timer1_Timer()
{
    // A load still under way a whole interval after the tick that waited for it is stuck,
    // and reloading a stuck page is what auto refresh is for.
    const bool stuck = refreshDue_;
    refreshDue_ = true;
    refreshIfDue(stuck);
}

void Form1::refreshIfDue(bool evenWhileLoading)
{
    if (!refreshDue_ || (!evenWhileLoading && WebBrowser1->Loading()))
        return;
    refreshDue_ = false;
    skipError([this] { WebBrowser1->Refresh(); });
}

} // namespace zemora
