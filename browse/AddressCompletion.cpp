#include "browse/AddressCompletion.h"

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
    if (address.find_first_of(".:/") != std::string_view::npos)
        return "http://" + std::string(address);
    return "http://www." + std::string(address) + ".com";
}

} // namespace zemora
