#pragma once
// Keeps tests away from the real user's files, and pumps the GUI event loop.
#include <chrono>
#include <filesystem>
#include <functional>

namespace zemora::test {

// Points HOME and the XDG folders of this test process at a fresh temporary folder,
// removed at exit; or, when ZEMORA_TEST_HOME is set, HOME at that folder, kept, and the
// XDG variables as given. Returns that folder.
std::filesystem::path isolateUserDirs();
std::filesystem::path testHome();

// Runs the event loop until done() holds or the time runs out; returns done().
bool runEventsUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = std::chrono::seconds(20));
// Handles whatever events are waiting right now.
void runPendingEvents();
// Runs the event loop for the whole time unless happened() comes true first; returns
// whether it stayed false. Only for checking that something does NOT happen: nothing
// signals that, so the time is waited out, and is kept short.
bool nothingWithin(std::chrono::milliseconds time, const std::function<bool()>& happened);
// Handles the input another X client (xdotool) has sent us: once that client is gone, one
// round trip to the X server has every event it made for us queued, and those are handled.
void handleInputSent();

} // namespace zemora::test
