#pragma once
// Small UTF-8 helpers: checking, decoding and encoding, for every floor that handles text.
#include <cstddef>
#include <string>
#include <string_view>

namespace zemora {

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// Length of the well-formed UTF-8 sequence that starts `text`, or 0 when it starts with
// an ill-formed one (overlong forms, surrogates and values above U+10FFFF included).
std::size_t utf8SequenceLength(std::string_view text);

// The code point of the well-formed sequence of `length` bytes (utf8SequenceLength())
// that starts `text`.
char32_t utf8CodePoint(std::string_view text, std::size_t length);

// Appends a code point (a Unicode scalar value) encoded as UTF-8.
void appendUtf8(std::string& out, char32_t codePoint);

// Keeps well-formed UTF-8 and turns each byte of an ill-formed sequence into "?".
std::string replaceInvalidUtf8(std::string_view text);

} // namespace zemora
