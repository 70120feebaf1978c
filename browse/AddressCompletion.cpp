#include "browse/AddressCompletion.h"

namespace zemora {

namespace {

bool isAsciiLetter(wxUniChar c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool isSchemeChar(wxUniChar c)
{
    return isAsciiLetter(c) || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
}

// A letter, then letters, digits, "+", "-" or ".", then "://".
bool startsWithScheme(const wxString& text)
{
    if (text.empty() || !isAsciiLetter(text[0]))
        return false;
    std::size_t i = 1;
    while (i < text.length() && isSchemeChar(text[i]))
        ++i;
    return text.compare(i, 3, "://") == 0;
}

} // namespace

wxString trimSpaces(const wxString& text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == wxString::npos)
        return wxString();
    const std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

wxString CompleteAddress(const wxString& address)
{
    if (startsWithScheme(address))
        return address;
    if (address.find_first_of(".:/") != wxString::npos)
        return "http://" + address;
    return "http://www." + address + ".com";
}

} // namespace zemora
