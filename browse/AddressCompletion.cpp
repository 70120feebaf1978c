#include "browse/AddressCompletion.h"

#include "base/Addresses.h"
#include "base/AsciiText.h"
#include "base/PercentEncoding.h"
#include "browse/PageRequests.h"

namespace zemora {

namespace {

bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool isSchemeChar(char c) { return isAsciiLetter(c) || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.'; }

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

// What a bare site name becomes, and what it never holds (text with one of these is a
// host name or an address already).
constexpr std::string_view kBareNamePrefix = "http://www.";
constexpr std::string_view kBareNameSuffix = ".com";
constexpr std::string_view kNotInABareName = ".:/";

// Up to the first "/", "?" or "#": where a host name would be.
std::string_view hostPart(std::string_view text) { return text.substr(0, text.find_first_of("/?#")); }

bool holdsBlank(std::string_view text)
{
    return text.find(' ') != std::string_view::npos
           || text.find("\xE3\x80\x80") != std::string_view::npos; // U+3000 IDEOGRAPHIC SPACE
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

std::optional<std::string> typedAddress(std::string_view typed)
{
    const std::string trimmed = trimSpaces(typed);
    if (trimmed.empty())
        return std::nullopt;
    return CompleteAddress(trimmed);
}

std::string CompleteAddress(std::string_view address)
{
    // Script typed or pasted here would run in the shown page, with its origin.
    if (hasScheme(address) && !isScriptAddress(address))
        return std::string(address);
    if (holdsBlank(hostPart(address)))
        return searchAddress(address);
    if (address.find_first_of(kNotInABareName) != std::string_view::npos)
        return asWebAddress(address);
    return std::string(kBareNamePrefix) + std::string(address) + std::string(kBareNameSuffix);
}

std::string searchAddress(std::string_view text) { return std::string(kSearchPrefix) + percentEncoded(text); }

std::optional<std::string> completedBareName(std::string_view address)
{
    if (!address.starts_with(kBareNamePrefix) || !address.ends_with(kBareNameSuffix)
        || address.size() <= kBareNamePrefix.size() + kBareNameSuffix.size())
        return std::nullopt;
    const std::string_view name =
        address.substr(kBareNamePrefix.size(), address.size() - kBareNamePrefix.size() - kBareNameSuffix.size());
    if (name.find_first_of(kNotInABareName) != std::string_view::npos || holdsBlank(name))
        return std::nullopt;
    return std::string(name);
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
    // "www.x.com:80", "localhost:8080/a" and "localhost:8080?q" are a host and its port.
    if (address.substr(0, i).find('.') != std::string_view::npos)
        return false;
    const std::size_t digits = rest.find_first_not_of("0123456789");
    const bool port =
        !rest.empty() && digits != 0
        && (digits == std::string_view::npos || std::string_view("/?#").find(rest[digits]) != std::string_view::npos);
    return !port;
}

std::string hostOf(std::string_view address)
{
    std::string_view rest = address;
    if (parsedScheme(rest) == "blob")
        rest.remove_prefix(rest.find(':') + 1);
    // Only a "//" right after the scheme starts a host: "data:text/html,x://bank.test/"
    // names none.
    if (parsedScheme(rest).empty())
        return {};
    rest.remove_prefix(rest.find(':') + 1);
    if (!rest.starts_with("//"))
        return {};
    rest.remove_prefix(2);
    rest = rest.substr(0, rest.find_first_of("/?#"));
    if (const std::size_t at = rest.rfind('@'); at != std::string_view::npos)
        rest.remove_prefix(at + 1);
    // The port is no part of the host; an IPv6 host keeps its brackets.
    const std::size_t colon = rest.rfind(':');
    if (colon != std::string_view::npos && rest.find(']', colon) == std::string_view::npos)
        rest = rest.substr(0, colon);
    std::string host(rest);
    for (char& c : host)
        c = asciiLower(c);
    return host;
}

std::string withDefaultScheme(std::string_view address)
{
    if (address.empty() || hasScheme(address))
        return std::string(address);
    return asWebAddress(address);
}

std::string asWebAddress(std::string_view text) { return std::string(kDefaultScheme) + std::string(text); }

} // namespace zemora
