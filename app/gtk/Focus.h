#pragma once
// Where the keyboard goes in the window.
#include <vector>

class wxToolBar;
class wxWindow;

namespace zemora {

// A toolbar whose buttons the keyboard reaches (see followTabOrder).
wxToolBar* createKeyboardToolBar(wxWindow* parent, long style);

// Makes Tab and Shift+Tab walk these controls of the panel in this order and wrap around:
// a drop-down is one stop (its text, never its arrow), the toolbar one stop whose
// buttons the arrow keys walk; hidden controls and labels are passed over.
void followTabOrder(wxWindow* panel, std::vector<wxWindow*> order);

// Whether the control (or a part of it) holds its window's keyboard focus, by the
// window's own record: it still does while another program's window is active.
bool holdsWindowFocus(const wxWindow* control);

} // namespace zemora
