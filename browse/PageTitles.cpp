#include "browse/PageTitles.h"

#include "base/PercentEncoding.h"
#include "base/Utf8.h"
#include "browse/AddressCompletion.h"

namespace zemora {

namespace {

// The controls of writing direction: marks, embeddings, overrides and isolates.
bool isDirectionControl(char32_t c)
{
    return c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

// Blanks of any kind, line and paragraph breaks and the other control characters among them.
bool isBlank(char32_t c)
{
    return c <= 0x20 || (c >= 0x7F && c <= 0xA0) || c == 0x1680 || (c >= 0x2000 && c <= 0x200B) || c == 0x2028
           || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000 || c == 0xFEFF;
}

} // namespace

std::string shownTitle(std::string_view title)
{
    std::u32string kept;
    for (std::size_t at = 0; at < title.size();) {
        const std::size_t length = utf8SequenceLength(title.substr(at));
        // A broken byte is one character the toolkit would draw as a replacement anyway.
        const char32_t c = length ? utf8CodePoint(title.substr(at), length) : U'\uFFFD';
        at += length ? length : 1;
        if (isDirectionControl(c))
            continue;
        if (!isBlank(c))
            kept += c;
        else if (kept.empty() || kept.back() != U' ')
            kept += U' ';
    }
    if (kept.size() > kMaxShownTitle)
        kept.replace(kMaxShownTitle - 1, std::u32string::npos, U"\u2026"); // "…"
    std::string shown;
    for (const char32_t c : kept)
        appendUtf8(shown, c);
    return shown;
}

std::string untitledPageName(std::string_view address)
{
    std::string_view path = address.substr(0, address.find_first_of("?#"));
    const std::size_t authority = path.find("://");
    if (authority != std::string_view::npos) {
        const std::size_t slash = path.find('/', authority + 3);
        path = slash == std::string_view::npos ? std::string_view() : path.substr(slash);
    }
    const std::string_view file = path.substr(path.rfind('/') == std::string_view::npos ? 0 : path.rfind('/') + 1);
    if (!file.empty() && authority != std::string_view::npos)
        return shownTitle(percentDecoded(file));
    const std::string host = hostOf(address);
    return shownTitle(host.empty() ? address : host);
}

} // namespace zemora
