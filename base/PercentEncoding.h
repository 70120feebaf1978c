#pragma once
// %XX escapes of addresses, both ways, for every floor that reads or writes one.
#include <string>
#include <string_view>

namespace zemora {

// UTF-8 bytes with the unreserved characters (letters, digits, "-", ".", "_", "~") and
// those in `alsoKept` as they are, every other byte as %XX in upper case (a space as %20).
std::string percentEncoded(std::string_view text, std::string_view alsoKept = {});

// Each %XX (either case) as its byte; a "%" without two hex digits after it stays as it
// is. Whatever bytes come out, NUL included, are the caller's to judge.
std::string percentDecoded(std::string_view text);

} // namespace zemora
