#pragma once
// The window hears its keys first.
class wxWindow;

namespace zemora {

// Hands each key typed in the top-level window `typedIn` to `hearer` as a wxEVT_CHAR_HOOK
// event (its object `typedIn`) before the control with the focus sees it, a web page
// included, which otherwise keeps every key it is given. A key the hearer takes (does
// not skip) goes no further; any other goes on to the focus as usual.
void hearKeysFirst(wxWindow* typedIn, wxWindow* hearer);

} // namespace zemora
