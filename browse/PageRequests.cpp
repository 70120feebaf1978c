#include "browse/PageRequests.h"

#include <algorithm>

#include "base/AsciiText.h"
#include "base/Settings.h"
#include "browse/AddressCompletion.h"

namespace zemora {

namespace {

// Control characters and the blank: an address parser drops them before the scheme.
bool skippedBeforeScheme(char c) { return static_cast<unsigned char>(c) <= 0x20; }

constexpr std::string_view kTabAndNewline = "\t\n\r";

} // namespace

bool pageMayOpen(std::string_view page, std::string_view target)
{
    // Parsers drop tabs and newlines anywhere and blanks and control characters in front:
    // "java\nscript:" is a script.
    std::string cleaned;
    for (const char c : target)
        if (kTabAndNewline.find(c) == std::string_view::npos)
            cleaned += c;
    const auto start = std::find_if_not(cleaned.begin(), cleaned.end(), skippedBeforeScheme);
    const std::string scheme = schemeOf(std::string_view(cleaned).substr(static_cast<std::size_t>(start - cleaned.begin())));
    if (scheme == "http" || scheme == "https" || scheme == "blob" || scheme == kHomeScheme)
        return true;
    if (scheme == "file")
        return schemeOf(page) == "file";
    // javascript:, data:, about: and anything else a page could not be shown from.
    return false;
}

std::string withoutScriptScheme(std::string_view pasted)
{
    static constexpr std::string_view kScript = "javascript:";
    std::string text(pasted);
    for (;;) {
        std::size_t i = 0;
        while (i < text.size() && skippedBeforeScheme(text[i]))
            ++i;
        // Tabs and newlines inside the name do not hide it.
        std::size_t matched = 0, j = i;
        while (j < text.size() && matched < kScript.size()) {
            const char c = text[j];
            if (kTabAndNewline.find(c) != std::string_view::npos) {
                ++j;
                continue;
            }
            if (asciiLower(c) != kScript[matched])
                break;
            ++matched;
            ++j;
        }
        if (matched < kScript.size())
            return text;
        text.erase(0, j);
    }
}

} // namespace zemora
