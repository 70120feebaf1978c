#include "favorites/Utf7.h"

#include "base/Utf8.h"

#include <cstdint>

namespace zemora {
namespace {

int base64Value(char c)
{
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}

bool isHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Gathers UTF-16 units into UTF-8, pairing surrogates.
class Utf16Sink {
public:
    bool add(char32_t unit)
    {
        if (pendingHigh_) {
            if (!isLowSurrogate(unit))
                return false;
            appendUtf8(out_, 0x10000 + ((pendingHigh_ - 0xD800) << 10) + (unit - 0xDC00));
            pendingHigh_ = 0;
            return true;
        }
        if (isHighSurrogate(unit)) {
            pendingHigh_ = unit;
            return true;
        }
        if (isLowSurrogate(unit) || unit == 0)
            return false;
        appendUtf8(out_, unit);
        return true;
    }
    bool complete() const { return pendingHigh_ == 0; }
    std::string take() { return std::move(out_); }

private:
    std::string out_;
    char32_t pendingHigh_ = 0;
};

// Decodes the base64 run at the start of `text` (after a "+"), including a closing "-".
// Returns how many bytes it took, or 0 when the run is ill-formed.
std::size_t decodeShifted(std::string_view text, Utf16Sink& sink)
{
    std::uint32_t bits = 0;
    int bitCount = 0;
    std::size_t used = 0;
    for (; used < text.size(); ++used) {
        const int value = base64Value(text[used]);
        if (value < 0)
            break;
        bits = (bits << 6) | static_cast<std::uint32_t>(value);
        bitCount += 6;
        if (bitCount >= 16) {
            bitCount -= 16;
            if (!sink.add((bits >> bitCount) & 0xFFFF))
                return 0;
        }
    }
    // An encoder pads the last unit with fewer than six zero bits.
    const bool cleanEnd = bitCount < 6 && (bits & ((1u << bitCount) - 1)) == 0;
    if (used == 0 || !cleanEnd || !sink.complete())
        return 0;
    if (used < text.size() && text[used] == '-')
        ++used;
    return used;
}

} // namespace

std::optional<std::string> decodeUtf7(std::string_view utf7)
{
    Utf16Sink sink;
    while (!utf7.empty()) {
        const char c = utf7.front();
        if (static_cast<unsigned char>(c) >= 0x80 || c == '\0')
            return std::nullopt;
        if (c != '+') {
            if (!sink.add(static_cast<unsigned char>(c)))
                return std::nullopt;
            utf7.remove_prefix(1);
        } else if (utf7.substr(1, 1) == "-") {
            sink.add('+');
            utf7.remove_prefix(2);
        } else {
            const std::size_t used = decodeShifted(utf7.substr(1), sink);
            if (used == 0)
                return std::nullopt;
            utf7.remove_prefix(1 + used);
        }
    }
    return sink.take();
}

} // namespace zemora
