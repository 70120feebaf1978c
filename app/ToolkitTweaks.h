#pragma once
// The few places the window reaches past the toolkit to the native widgets. Each has a
// plain fallback, so the window code reads the same on every port.
class wxComboBox;
class wxString;
class wxWindow;

namespace zemora {

// Tightens the native paddings of the controls directly on this panel (not of pages or
// of the dialogs they open) so each fits the height it was laid out for.
void useCompactControls(wxWindow* controls);

// Appends to a drop-down's list without the toolkit's walk over the existing entries.
void appendToList(wxComboBox* box, const wxString& item);

// Shows a command button pressed in (or not) without changing its kind or caption.
void showPressed(wxWindow* button, bool pressed);
bool shownPressed(const wxWindow* button);

// The resolution text is drawn at, in dots per inch of the window's pixels: the screen's,
// with the user's text scale in it.
double textDotsPerInch(const wxWindow* window);

} // namespace zemora
