#pragma once
// The few places the window reaches past the toolkit to the native widgets. Each has a
// plain fallback, so the window code reads the same on every port.
#include <functional>
#include <map>
#include <string>
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

// Shows a command button pressed in (or not) without changing its kind or caption.
void showPressed(wxWindow* button, bool pressed);
bool shownPressed(const wxWindow* button);

// The resolution text is drawn at, in dots per inch of the window's pixels: the screen's,
// with the user's text scale in it.
double textDotsPerInch(const wxWindow* window);

} // namespace zemora
