#pragma once
// A drop-down's list drawn by us once it is long: the toolkit lays out every entry of its
// own list in one window, which for some thousand entries takes minutes and grows taller
// than the X server allows, ending the program. Ours draws only the rows in sight.
class wxComboBox;

namespace zemora {

class ComboBox;

// From now on, opening this drop-down with more than kLongListEntries entries (by its
// arrow or its key) shows our list below it; choosing an entry there chooses it in the
// drop-down, as a choice from its own list does.
void openLongListsOurselves(ComboBox& box);

} // namespace zemora
