#pragma once
// The user's actions, delivered the way the toolkit delivers them: native signals of the
// real widgets and key events, so a test through them also proves the wiring between the
// widget and its handler, not just the handler.
#include <functional>
#include <vector>

#include <wx/string.h>

class wxButton;
class wxComboBox;
class wxToolBar;
class wxWindow;

namespace zemora::test {

// A key press (and release) on the widget that has the keyboard in `window` (for a
// combo box, its text entry), which is given the focus first, as typing into it would. `keyval` is a GDK key value
// (GDK_KEY_Return, ...); `modifiers` a GdkModifierType mask.
void pressKey(wxWindow* window, unsigned keyval, unsigned modifiers = 0);
// A key press (and release) as the display delivers it: to `window`'s top-level window,
// which hands it to the control with the focus, or moves the focus for Tab and arrows.
void typeKey(wxWindow* window, unsigned keyval, unsigned modifiers = 0);
// Clicks a button.
void clickButton(wxButton* button);
// Clicks the toolbar button in this slot (from 1).
void clickTool(wxToolBar* bar, int slot);
// The slot (from 1) of the toolbar button that shows this caption; 0 for none.
int slotCaptioned(wxToolBar* bar, const wxString& caption);
// Chooses the entry at this position from a drop-down's list.
void chooseFromList(wxComboBox* box, int position);
// The heights of the pop-up windows (lists, menus) now shown on the screen.
std::vector<int> shownPopups();

} // namespace zemora::test
