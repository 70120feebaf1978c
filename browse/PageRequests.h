#pragma once
// What a page may ask the browser to open. Every address a page asks for outside its own
// frame (a new window, a link opened here from the context menu) passes here before it
// reaches the top frame; what the user types or chooses never does. Text is UTF-8.
#include <string>
#include <string_view>

namespace zemora {

// Whether the page at `page` may have `target` opened in the top frame. Never a script
// or inline document, which would run with the top page's origin instead of the one
// that asked; never a local file unless the page is a local file itself; and only
// schemes a page can show.
bool pageMayOpen(std::string_view page, std::string_view target);

// The scheme of an address as the engine's parser reads it, in lower case: blanks and
// control characters in front are skipped and tabs and newlines anywhere dropped, so
// " java\tscript:" names "javascript". Empty when it names none.
std::string parsedScheme(std::string_view address);

// Whether opening the address would run script in the shown page.
bool isScriptAddress(std::string_view address);

// Pasted text without the "javascript:" that would run it in the shown page: a page may
// tempt the user into pasting script. Taken off as often as it stands at the front, with
// the blanks and control characters the engine skips before a scheme.
std::string withoutScriptScheme(std::string_view pasted);

// The address a load that ended at `reached` leaves as the page's own (what the address
// box, Refresh and the favorites then hold), the load having started at `asked`: the one
// reached, unless a redirect took it to an address no page may open from `asked` (a
// script, an inline document, a local file from the web). Then the address that
// redirected stays, which the user can safely open again.
std::string addressToKeep(std::string_view asked, std::string_view reached);

} // namespace zemora
