#include "browse/DraggedText.h"

#include "base/AsciiText.h"

namespace zemora {

namespace {

std::string_view trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

bool startsWithIgnoringCase(std::string_view text, std::string_view start)
{
    return text.size() >= start.size() && equalsIgnoringAsciiCase(text.substr(0, start.size()), start);
}

// The markup's escapes of an attribute value undone (those an address can hold).
std::string unescaped(std::string_view value)
{
    static constexpr std::pair<std::string_view, char> kEscapes[] = {
        {"&amp;", '&'}, {"&quot;", '"'}, {"&#39;", '\''}, {"&lt;", '<'}, {"&gt;", '>'}};
    std::string out;
    for (std::size_t i = 0; i < value.size();) {
        bool replaced = false;
        for (const auto& [escape, c] : kEscapes)
            if (value.substr(i).starts_with(escape)) {
                out += c;
                i += escape.size();
                replaced = true;
                break;
            }
        if (!replaced)
            out += value[i++];
    }
    return out;
}

} // namespace

std::string draggedLink(std::string_view markup)
{
    std::string_view rest = trimmed(markup);
    // The engine puts the character set first.
    if (startsWithIgnoringCase(rest, "<meta"))
        rest = trimmed(rest.substr(rest.find('>') == std::string_view::npos ? rest.size() : rest.find('>') + 1));
    // And a line break of its own after it.
    if (const std::size_t br = rest.rfind("<br"); br != std::string_view::npos && rest.find('>', br) == rest.size() - 1)
        rest = trimmed(rest.substr(0, br));
    if (!startsWithIgnoringCase(rest, "<a ") || rest.size() < 4
        || !equalsIgnoringAsciiCase(rest.substr(rest.size() - 4), "</a>"))
        return {};
    // One link: no other one opens inside it.
    if (rest.find("<a ", 1) != std::string_view::npos || rest.find("<A ", 1) != std::string_view::npos)
        return {};
    const std::string_view tag = rest.substr(0, rest.find('>'));
    for (const char quote : {'"', '\''}) {
        const std::string key = std::string("href=") + quote;
        std::size_t at = std::string_view::npos;
        for (std::size_t i = 0; i + key.size() <= tag.size(); ++i)
            if (equalsIgnoringAsciiCase(tag.substr(i, key.size()), key)) {
                at = i + key.size();
                break;
            }
        if (at == std::string_view::npos)
            continue;
        const std::size_t end = tag.find(quote, at);
        if (end != std::string_view::npos)
            return unescaped(tag.substr(at, end - at));
    }
    return {};
}

} // namespace zemora
