#pragma once
// The "ANSI code page" on this platform is the character set of the current locale
// (LC_CTYPE, set from the environment at start). Conversions substitute "?" for what
// cannot be carried and never fail as a whole.
#include <string>
#include <string_view>

namespace zemora {

// UTF-8 text to the locale's set: one "?" for each character the set lacks and for each
// byte of ill-formed UTF-8.
std::string utf8ToAnsi(std::string_view utf8);

// Bytes in the locale's set to UTF-8: one "?" for each byte the set does not accept.
std::string ansiToUtf8(std::string_view ansi);

// Percent-encodes (as its UTF-8 bytes, upper-case hex) each character of an address that
// would not survive the trip through the locale's set, and each byte of ill-formed
// UTF-8, so the stored address still opens the same page. ASCII is kept as it is.
std::string percentEncodeUnrepresentable(std::string_view utf8Address);

} // namespace zemora
