#pragma once
// The settings' UTF-8 texts as the toolkit's strings.
#include <string_view>

#include <wx/string.h>

namespace zemora {

inline wxString wxText(std::string_view utf8) { return wxString::FromUTF8(utf8.data(), utf8.size()); }

} // namespace zemora
