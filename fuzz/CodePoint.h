#pragma once
// The fuzz targets' own UTF-8 reader, written apart from base/Utf8.cpp so that a fault
// there cannot hide itself.

#include <cstddef>
#include <optional>
#include <string_view>
#include <utility>

// The code point starting text[at] and its length in bytes; nullopt for ill-formed UTF-8
// (overlong forms, surrogates and values past U+10FFFF included).
inline std::optional<std::pair<char32_t, std::size_t>> nextCodePoint(std::string_view text, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80)
        return std::pair<char32_t, std::size_t>(lead, 1);
    std::size_t length = 0;
    char32_t value = 0;
    char32_t smallest = 0;
    if ((lead & 0xE0) == 0xC0)
        length = 2, value = lead & 0x1F, smallest = 0x80;
    else if ((lead & 0xF0) == 0xE0)
        length = 3, value = lead & 0x0F, smallest = 0x800;
    else if ((lead & 0xF8) == 0xF0)
        length = 4, value = lead & 0x07, smallest = 0x10000;
    else
        return std::nullopt;
    if (text.size() - at < length)
        return std::nullopt;
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[at + k]);
        if ((next & 0xC0) != 0x80)
            return std::nullopt;
        value = (value << 6) | (next & 0x3F);
    }
    if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return std::nullopt;
    return std::pair(value, length);
}
