#pragma once
// What assistive tools (a screen reader) are told of the controls.
#include <wx/string.h>

class wxStaticText;
class wxToolBar;
class wxWindow;

namespace zemora {

// ---- What assistive tools (a screen reader) are told ----
// Names and descriptions are the settings' texts; they are never shown.

// A label that is the label of `labelled` for assistive tools (label for, labelled by)
// and names it, or of nothing when it is null: never of whatever control the tab order
// puts after it. A drop-down's text field is labelled and named with it too.
wxStaticText* createLabel(wxWindow* parent, const wxString& text, long style, wxWindow* labelled = nullptr);

// Names a control for assistive tools and, when given, describes it. A drop-down's text
// field and list are told the same, so the box reads alike wherever the focus is in it,
// and the chosen entry is the field's text, not the box's name.
void describeForAssistiveTools(wxWindow* control, const wxString& name, const wxString& description = {});

// Names each toolbar button by its caption, so it keeps its name while only its picture shows.
void nameToolsByCaptions(wxToolBar* bar);

// Keeps a control that is never shown away from assistive tools and the keyboard. Call it
// while the window is built, before anything asks for its parent's accessible children.
void hideFromAssistiveTools(wxWindow* control);

// Tells assistive tools that this command button is a toggle, pressed while showPressed
// shows it pressed; each change is told.
void tellPressedState(wxWindow* button);

// Says `text` once to assistive tools, as a notification of `window`'s top-level window
// (a screen reader reads it out as it passes); nothing is shown.
void announce(wxWindow* window, const wxString& text);

// Shows a command button pressed in (or not) without changing its kind or caption.
void showPressed(wxWindow* button, bool pressed);
bool shownPressed(const wxWindow* button);

} // namespace zemora
