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

} // namespace zemora
