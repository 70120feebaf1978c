#pragma once
// What the address box makes of typed text. Text is UTF-8.
#include <string>
#include <string_view>

namespace zemora {

// Removes leading and trailing spaces (U+0020 only: tabs stay).
std::string trimSpaces(std::string_view text);

// The address to open for trimmed, non-empty typed text: an address with a scheme is
// kept, a host name, host and port or path gets "http://", and a bare site name becomes
// "http://www." + name + ".com".
std::string CompleteAddress(std::string_view address);

} // namespace zemora
