#pragma once
#include <wx/string.h>

namespace zemora {

// Removes leading and trailing spaces (U+0020 only: tabs stay).
wxString trimSpaces(const wxString& text);

// The address to open for trimmed, non-empty typed text: an address with a scheme is
// kept, a host name, host and port or path gets "http://", and a bare site name becomes
// "http://www." + name + ".com".
wxString CompleteAddress(const wxString& address);

} // namespace zemora
