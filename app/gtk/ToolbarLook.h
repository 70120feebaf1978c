#pragma once
// How the window's controls look at the sizes the layout gives them.
class wxToolBar;
class wxWindow;

namespace zemora {

// Tightens the native paddings of the controls directly on this panel (not of pages or
// of the dialogs they open) so each fits the height it was laid out for.
void useCompactControls(wxWindow* controls);

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

// The resolution text is drawn at, in dots per inch of the window's pixels: the screen's,
// with the user's text scale in it.
double textDotsPerInch(const wxWindow* window);

} // namespace zemora
