#include "browse/AddressCompletion.h"

#include "base/Settings.h"

namespace zemora {

namespace {

bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool isSchemeChar(char c)
{
    return isAsciiLetter(c) || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
}

// A letter, then letters, digits, "+", "-" or ".", then "://". Bytes of other characters
// in UTF-8 are never ASCII, so they never pass for one of these.
bool startsWithScheme(std::string_view text)
{
    if (text.empty() || !isAsciiLetter(text[0]))
        return false;
    std::size_t i = 1;
    while (i < text.length() && isSchemeChar(text[i]))
        ++i;
    return text.substr(i).starts_with("://");
}

// Up to the first "/", "?" or "#": where a host name would be.
std::string_view hostPart(std::string_view text) { return text.substr(0, text.find_first_of("/?#")); }

bool holdsBlank(std::string_view text)
{
    return text.find(' ') != std::string_view::npos ||
           text.find("\xE3\x80\x80") != std::string_view::npos; // U+3000 IDEOGRAPHIC SPACE
}

bool isUnreserved(unsigned char c)
{
    return isAsciiLetter(static_cast<char>(c)) || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~';
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
    if (startsWithScheme(address))
        return std::string(address);
    if (holdsBlank(hostPart(address)))
        return std::string(kSearchPrefix) + percentEncodeQuery(address);
    if (address.find_first_of(".:/") != std::string_view::npos)
        return "http://" + std::string(address);
    return "http://www." + std::string(address) + ".com";
}

std::string percentEncodeQuery(std::string_view text)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(text.size() * 3);
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (isUnreserved(c)) {
            encoded += ch;
        } else {
            encoded += '%';
            encoded += kHex[c >> 4];
            encoded += kHex[c & 0xF];
        }
    }
    return encoded;
}

bool hasScheme(std::string_view address)
{
    if (address.empty() || !isAsciiLetter(address[0]))
        return false;
    std::size_t i = 1;
    while (i < address.length() && isSchemeChar(address[i]))
        ++i;
    if (i == address.length() || address[i] != ':')
        return false;
    // "www.x.com:80" and "localhost:8080/a" are a host and its port.
    if (address.substr(0, i).find('.') != std::string_view::npos)
        return false;
    const std::string_view rest = address.substr(i + 1);
    const std::size_t digits = rest.find_first_not_of("0123456789");
    const bool port = digits != 0 && (digits == std::string_view::npos || rest[digits] == '/');
    return !port;
}

std::string withDefaultScheme(std::string_view address)
{
    if (address.empty() || hasScheme(address))
        return std::string(address);
    return std::string(kDefaultScheme) + std::string(address);
}

} // namespace zemora
