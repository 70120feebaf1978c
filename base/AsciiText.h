#pragma once
// Case-blind comparison for the ASCII names of files, INI sections and keys, and
// character sets. Bytes outside ASCII compare as they are, whatever the locale.
#include <algorithm>
#include <string_view>

namespace zemora {

constexpr char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(),
                      [](char x, char y) { return asciiLower(x) == asciiLower(y); });
}

} // namespace zemora
