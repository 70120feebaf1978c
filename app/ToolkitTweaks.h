#pragma once
// The few places the window reaches past the toolkit to the native widgets. Each has a
// plain fallback, so the window code reads the same on every port.
#include <vector>

class wxComboBox;
class wxString;
class wxToolBar;
class wxWindow;

namespace zemora {

// Tightens the native paddings of the controls directly on this panel (not of pages or
// of the dialogs they open) so each fits the height it was laid out for.
void useCompactControls(wxWindow* controls);

// A toolbar whose buttons the keyboard reaches (see followTabOrder).
wxToolBar* createKeyboardToolBar(wxWindow* parent, long style);

// Leaves the toolbar's captions out while it is too low for picture and caption, so a
// caption is never drawn over its picture; they come back once there is room.
void keepCaptionsOffPictures(wxToolBar* bar);

// Makes Tab and Shift+Tab walk these controls of the panel in this order and wrap around:
// a drop-down is one stop (its text, never its arrow), the toolbar one stop whose
// buttons the arrow keys walk; hidden controls and labels are passed over.
void followTabOrder(wxWindow* panel, std::vector<wxWindow*> order);

// Appends to a drop-down's list without the toolkit's walk over the existing entries.
void appendToList(wxComboBox* box, const wxString& item);

// Hands each key typed in the top-level window `typedIn` to `hearer` as a wxEVT_CHAR_HOOK
// event (its object `typedIn`) before the control with the focus sees it, a web page
// included, which otherwise keeps every key it is given. A key the hearer takes (does
// not skip) goes no further; any other goes on to the focus as usual.
void hearKeysFirst(wxWindow* typedIn, wxWindow* hearer);

// Shows a command button pressed in (or not) without changing its kind or caption.
void showPressed(wxWindow* button, bool pressed);
bool shownPressed(const wxWindow* button);

// The resolution text is drawn at, in dots per inch of the window's pixels: the screen's,
// with the user's text scale in it.
double textDotsPerInch(const wxWindow* window);

} // namespace zemora
