#pragma once
// UTF-7 (RFC 2152), in which shortcut files carry addresses the code page cannot.
#include <optional>
#include <string>
#include <string_view>

namespace zemora {

// UTF-8 for UTF-7 text; nullopt for anything ill-formed (bytes outside ASCII, bad
// base64, unpaired surrogates, left-over bits, U+0000).
std::optional<std::string> decodeUtf7(std::string_view utf7);

} // namespace zemora
