// The event loop half of TestEnvironment.h, for the tests that run the toolkit.
#include "tests/support/TestEnvironment.h"

#include <thread>

#include <gdk/gdk.h>
#include <glib.h>
#include <wx/app.h>

namespace zemora::test {

void runPendingEvents()
{
    while (g_main_context_iteration(nullptr, FALSE)) {
    }
    if (wxTheApp)
        wxTheApp->ProcessPendingEvents();
}

bool runEventsUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        runPendingEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

bool nothingWithin(std::chrono::milliseconds time, const std::function<bool()>& happened)
{
    return !runEventsUntil(happened, time);
}

void handleInputSent()
{
    gdk_display_sync(gdk_display_get_default());
    runPendingEvents();
}

} // namespace zemora::test
