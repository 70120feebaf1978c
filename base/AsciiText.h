#pragma once
// Case-blind comparison for the ASCII names of files, INI sections and keys, and
// character sets. Bytes outside ASCII compare as they are, whatever the locale.
#include <algorithm>
#include <string_view>

namespace zemora {

constexpr char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

constexpr bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size()
           && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return asciiLower(x) == asciiLower(y); });
}

// Orders names as people look them up: letters without regard to case ("apple.url" before
// "Banana.url"), names equal but for case by their bytes, other characters by their UTF-8
// bytes, which keeps their code points in order.
constexpr bool lessIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    const auto lower = [](char x, char y) {
        return static_cast<unsigned char>(asciiLower(x)) < static_cast<unsigned char>(asciiLower(y));
    };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), lower))
        return true;
    return !std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), lower) && a < b;
}

} // namespace zemora
