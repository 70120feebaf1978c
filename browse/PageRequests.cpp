#include "browse/PageRequests.h"

#include <algorithm>

#include "base/Addresses.h"
#include "base/AsciiText.h"
#include "browse/AddressCompletion.h"

namespace zemora {

namespace {

// Control characters and the blank: an address parser drops them before the scheme.
bool skippedBeforeScheme(char c) { return static_cast<unsigned char>(c) <= 0x20; }

constexpr std::string_view kTabAndNewline = "\t\n\r";

} // namespace

std::string parsedScheme(std::string_view address)
{
    // Parsers drop tabs and newlines anywhere and blanks and control characters in front:
    // "java\nscript:" is a script.
    std::string cleaned;
    for (const char c : address)
        if (kTabAndNewline.find(c) == std::string_view::npos)
            cleaned += c;
    const auto start = std::find_if_not(cleaned.begin(), cleaned.end(), skippedBeforeScheme);
    // The engine's reading, not the address box's: "javascript:1" is a script, not a host
    // and its port.
    std::string scheme;
    for (auto at = start; at != cleaned.end(); ++at) {
        const char c = asciiLower(*at);
        if (c == ':')
            return scheme;
        const bool letter = c >= 'a' && c <= 'z';
        if (!letter && (scheme.empty() || !((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.')))
            break;
        scheme += c;
    }
    return {};
}

bool isScriptAddress(std::string_view address) { return parsedScheme(address) == "javascript"; }

bool pageMayOpen(std::string_view page, std::string_view target)
{
    const std::string scheme = parsedScheme(target);
    if (scheme == "http" || scheme == "https" || scheme == "blob" || scheme == kHomeScheme)
        return true;
    if (scheme == "file")
        return schemeOf(page) == "file";
    // javascript:, data:, about: and anything else a page could not be shown from.
    return false;
}

std::string withoutScriptScheme(std::string_view pasted)
{
    std::string text(pasted);
    // The scheme's own colon is the first: a scheme's name holds none.
    while (isScriptAddress(text))
        text.erase(0, text.find(':') + 1);
    return text;
}

std::string addressToKeep(std::string_view asked, std::string_view reached)
{
    if (asked.empty() || reached == asked || pageMayOpen(asked, reached))
        return std::string(reached);
    return std::string(asked);
}

} // namespace zemora
