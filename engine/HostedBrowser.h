#pragma once
// The browser control as the window holds it: the control, and its own window, which the
// layout passes place and size.
#include "browse/WebBrowserControl.h"

class wxWindow;

namespace zemora {

class HostedBrowser : public WebBrowserControl {
public:
    virtual wxWindow* Window() = 0;
};

} // namespace zemora
