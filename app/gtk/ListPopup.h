#pragma once
// The drop-downs' lists and what is dropped on them.
#include <functional>
#include <vector>

#include <wx/string.h>

class wxComboBox;

namespace zemora {

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

} // namespace zemora
