#include "browse/AddressCompletion.h"

#include "base/AsciiText.h"
#include "base/PercentEncoding.h"
#include "base/Settings.h"

namespace zemora {

namespace {

bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool isSchemeChar(char c)
{
    return isAsciiLetter(c) || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
}

// The length of the scheme name the text starts with (a letter, then letters, digits,
// "+", "-" or "."), 0 for none. Bytes of other characters in UTF-8 are never ASCII, so
// they never pass for one of these.
std::size_t schemeNameLength(std::string_view text)
{
    if (text.empty() || !isAsciiLetter(text[0]))
        return 0;
    std::size_t i = 1;
    while (i < text.length() && isSchemeChar(text[i]))
        ++i;
    return i;
}

// Up to the first "/", "?" or "#": where a host name would be.
std::string_view hostPart(std::string_view text) { return text.substr(0, text.find_first_of("/?#")); }

bool holdsBlank(std::string_view text)
{
    return text.find(' ') != std::string_view::npos ||
           text.find("\xE3\x80\x80") != std::string_view::npos; // U+3000 IDEOGRAPHIC SPACE
}

} // namespace

std::string trimSpaces(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

std::string CompleteAddress(std::string_view address)
{
    // Script typed or pasted here would run in the shown page, with its origin.
    if (hasScheme(address) && schemeOf(address) != "javascript")
        return std::string(address);
    if (holdsBlank(hostPart(address)))
        return std::string(kSearchPrefix) + percentEncoded(address);
    if (address.find_first_of(".:/") != std::string_view::npos)
        return "http://" + std::string(address);
    return "http://www." + std::string(address) + ".com";
}

std::string schemeOf(std::string_view address)
{
    if (!hasScheme(address))
        return {};
    std::string scheme(address.substr(0, address.find(':')));
    for (char& c : scheme)
        c = asciiLower(c);
    return scheme;
}

bool hasScheme(std::string_view address)
{
    const std::size_t i = schemeNameLength(address);
    if (i == 0 || i == address.length() || address[i] != ':')
        return false;
    const std::string_view rest = address.substr(i + 1);
    if (rest.starts_with("//"))
        return true;
    // "www.x.com:80" and "localhost:8080/a" are a host and its port.
    if (address.substr(0, i).find('.') != std::string_view::npos)
        return false;
    const std::size_t digits = rest.find_first_not_of("0123456789");
    const bool port = !rest.empty() && digits != 0 && (digits == std::string_view::npos || rest[digits] == '/');
    return !port;
}

std::string withDefaultScheme(std::string_view address)
{
    if (address.empty() || hasScheme(address))
        return std::string(address);
    return std::string(kDefaultScheme) + std::string(address);
}

} // namespace zemora
