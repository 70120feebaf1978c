#pragma once
// The few places the window reaches past the toolkit to the native widgets. Each has a
// plain fallback, so the window code reads the same on every port.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <wx/string.h>

class wxComboBox;
class wxStaticText;
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

// Holds each toolbar button's picture and caption together as one block in the middle of
// the button, however tall the layout makes the toolbar.
void keepPicturesWithCaptions(wxToolBar* bar);

// Draws a label's text in the middle of its height, so it stays level with the text of
// the boxes beside it however tall the layout makes the row.
void centreLabelText(wxWindow* label);

// The height the toolbar's buttons leave for a picture at the toolbar's present height:
// what the toolbar and a button draw around it taken off.
int pictureRoom(const wxToolBar* bar);

// Makes Tab and Shift+Tab walk these controls of the panel in this order and wrap around:
// a drop-down is one stop (its text, never its arrow), the toolbar one stop whose
// buttons the arrow keys walk; hidden controls and labels are passed over.
void followTabOrder(wxWindow* panel, std::vector<wxWindow*> order);

// Hands what is dropped on a drop-down's text field to `dropped` instead of inserting it
// where it falls: a link (a dragged address) with `link` true, or text.
void whenDropped(wxComboBox* box, std::function<void(const wxString& text, bool link)> dropped);

// Appends to a drop-down's list without the toolkit's walk over the existing entries.
void appendToList(wxComboBox* box, const wxString& item);

// Asks `instead` each time the drop-down's list is about to open, by its arrow or its key;
// when it answers true, the toolkit's own list stays shut.
void whenListOpens(wxComboBox* box, std::function<bool()> instead);
// Replaces a drop-down's whole list at once, its text and selection left as they are and
// no choice event raised: the list is drawn once, however long.
void replaceList(wxComboBox* box, const std::vector<wxString>& items);

// Tells `changed` when a name in one of the watched folders comes, goes or is renamed
// (not when a file's content changes). A folder that does not exist yet is watched for
// its coming. Watching ends with the object.
class FolderWatch {
public:
    explicit FolderWatch(std::function<void()> changed) : changed_(std::move(changed)) {}
    ~FolderWatch();
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    // Watches exactly these folders from now on; true when one was not watched before.
    bool watch(const std::vector<std::string>& folders);

private:
    std::function<void()> changed_;
    std::map<std::string, void*> monitors_; // by path
};
// Hands each key typed in the top-level window `typedIn` to `hearer` as a wxEVT_CHAR_HOOK
// event (its object `typedIn`) before the control with the focus sees it, a web page
// included, which otherwise keeps every key it is given. A key the hearer takes (does
// not skip) goes no further; any other goes on to the focus as usual.
void hearKeysFirst(wxWindow* typedIn, wxWindow* hearer);

// Whether the control (or a part of it) holds its window's keyboard focus, by the
// window's own record: it still does while another program's window is active.
bool holdsWindowFocus(const wxWindow* control);

// Shows a command button pressed in (or not) without changing its kind or caption.
void showPressed(wxWindow* button, bool pressed);
bool shownPressed(const wxWindow* button);

// The resolution text is drawn at, in dots per inch of the window's pixels: the screen's,
// with the user's text scale in it.
double textDotsPerInch(const wxWindow* window);

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

// Opens a file with the desktop's program for its kind.
void openWithDesktop(const std::string& path);
// Shows a file in the desktop's file manager, chosen in its folder; or the folder alone
// where the file manager cannot be asked to choose it.
void showInFileManager(const std::string& path);

// Says `text` once to assistive tools, as a notification of `window`'s top-level window
// (a screen reader reads it out as it passes); nothing is shown.
void announce(wxWindow* window, const wxString& text);

} // namespace zemora
