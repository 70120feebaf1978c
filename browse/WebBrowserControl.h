#pragma once
// The embedded web browser control as the window uses it: six operations, two readings
// and its events. Operations the engine cannot carry out throw Failure.
#include <cstdint>
#include <functional>

#include <wx/string.h>

class wxWindow;

namespace zemora {

class WebBrowserControl {
public:
    virtual ~WebBrowserControl() = default;

    virtual void NavigateTo(const wxString& address) = 0;
    virtual void GoBack() = 0;
    virtual void GoForward() = 0;
    virtual void GoHome() = 0;
    virtual void Stop() = 0;
    virtual void Refresh() = 0;

    virtual wxString LocationURL() const = 0;
    virtual wxString LocationName() const = 0;

    // The control's own window, placed and sized by the layout passes.
    virtual wxWindow* Window() = 0;

    // Command 1: forward possible or not; 2: back possible or not.
    std::function<void(std::int32_t command, bool enable)> CommandStateChange;
    // A navigation ended, successfully or not.
    std::function<void()> DownloadComplete;
    std::function<void(const wxString& text)> TitleChange;
    // Text for the status line: a download's progress and where it was saved.
    std::function<void(const wxString& text)> StatusTextChange;

    enum Command : std::int32_t { CSC_NAVIGATEFORWARD = 1, CSC_NAVIGATEBACK = 2 };
};

} // namespace zemora
