// Arbitrary bytes into the shortcut reader and the UTF-7 decoder. Stops (trap) when an
// address comes out empty, as ill-formed UTF-8 or holding a line break, or when the
// decoder disagrees with a straightforward encoder written here.
#include "favorites/ShortcutFile.h"
#include "favorites/Utf7.h"

#include <locale.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/CodePoint.h"
#include "fuzz/Require.h"

namespace {

// The text's code points; nullopt when it is not well-formed UTF-8.
std::optional<std::vector<char32_t>> codePoints(std::string_view text)
{
    std::vector<char32_t> out;
    for (std::size_t i = 0; i < text.size();) {
        const auto point = nextCodePoint(text, i);
        if (!point)
            return std::nullopt;
        out.push_back(point->first);
        i += point->second;
    }
    return out;
}

bool isWellFormedUtf8(std::string_view text) { return codePoints(text).has_value(); }

// The plainest UTF-7: ASCII but "+" as itself, everything else base64 in runs that
// always end in "-".
std::string encodeUtf7(const std::vector<char32_t>& text)
{
    static constexpr char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] < 0x80) {
            out += text[i] == '+' ? std::string("+-") : std::string(1, static_cast<char>(text[i]));
            ++i;
            continue;
        }
        std::vector<std::uint16_t> units;
        for (; i < text.size() && text[i] >= 0x80; ++i) {
            if (text[i] >= 0x10000) {
                units.push_back(static_cast<std::uint16_t>(0xD800 + ((text[i] - 0x10000) >> 10)));
                units.push_back(static_cast<std::uint16_t>(0xDC00 + ((text[i] - 0x10000) & 0x3FF)));
            } else {
                units.push_back(static_cast<std::uint16_t>(text[i]));
            }
        }
        out += '+';
        std::uint32_t bits = 0;
        int count = 0;
        for (std::uint16_t unit : units) {
            bits = (bits << 16) | unit;
            count += 16;
            while (count >= 6) {
                count -= 6;
                out += kBase64[(bits >> count) & 0x3F];
            }
        }
        if (count > 0)
            out += kBase64[(bits << (6 - count)) & 0x3F];
        out += '-';
    }
    return out;
}

void checkUtf7(std::string_view bytes)
{
    if (const std::optional<std::string> decoded = zemora::decodeUtf7(bytes)) {
        for (char c : bytes)
            require(c != '\0' && static_cast<unsigned char>(c) < 0x80);
        const auto points = codePoints(*decoded);
        require(points.has_value());
        for (char32_t c : *points)
            require(c != 0);
        require(zemora::decodeUtf7(encodeUtf7(*points)) == *decoded);
    }
    // Any text without U+0000 must come back from its own encoding.
    if (const auto points = codePoints(bytes)) {
        for (char32_t c : *points)
            if (c == 0)
                return;
        require(zemora::decodeUtf7(encodeUtf7(*points)) == std::string(bytes));
    }
}

void checkShortcut(std::string_view bytes)
{
    if (const std::optional<std::string> url = zemora::shortcutUrl(bytes)) {
        require(!url->empty());
        require(isWellFormedUtf8(*url));
        require(url->find_first_of("\r\n") == std::string::npos);
    }
}

bool haveUtf8Locale = false;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    haveUtf8Locale = ::setlocale(LC_CTYPE, "C.UTF-8") != nullptr;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    checkUtf7(bytes);
    // The reader converts from the locale's set: ASCII in "C", pass-through in UTF-8.
    ::setlocale(LC_CTYPE, "C");
    checkShortcut(bytes);
    // The same bytes as the UTF-7 address too, which random file bytes seldom reach.
    checkShortcut("[InternetShortcut.W]\r\nURL=" + std::string(bytes));
    if (haveUtf8Locale) {
        ::setlocale(LC_CTYPE, "C.UTF-8");
        checkShortcut(bytes);
    }
    return 0;
}
