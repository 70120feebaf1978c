// Typed or handed-over text into address completion and the scheme and host rules. Stops
// (trap) when completion yields a script or an address without a scheme, when a search
// does not carry the text exactly, when a bare site name does not come back from its
// completed address, when the address box and the engine read different schemes, when
// adding the default scheme makes a script, or when a host comes out with a path, a
// query or capitals in it, or other than a reader written here finds after the scheme.
//
// Input: the text as typed, spaces around it included.
#include "base/Addresses.h"
#include "base/PercentEncoding.h"
#include "browse/AddressCompletion.h"
#include "browse/PageRequests.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz/Require.h"

namespace {

constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A word the address box makes a site's name of: nothing of a host name or an address in
// it, and no blank.
bool isBareWord(std::string_view text)
{
    return !text.empty() && text.find_first_of(".:/ ") == std::string_view::npos
           && text.find(kIdeographicSpace) == std::string_view::npos;
}

bool startsWithIgnoringCase(std::string_view text, std::string_view lowerPrefix)
{
    if (text.size() < lowerPrefix.size())
        return false;
    for (std::size_t i = 0; i < lowerPrefix.size(); ++i)
        if ((isLetter(text[i]) ? text[i] | 0x20 : text[i]) != lowerPrefix[i])
            return false;
    return true;
}

// The host of an address as the engine spells one (no blanks, controls or backslashes):
// what stands between "<scheme>://" at its very start (after "blob:") and the path, less
// the user and the port; none without "://" there. nullopt for what this reader leaves
// alone: an unclosed "[", a port that is no number.
std::optional<std::string> engineHost(std::string_view address)
{
    for (char c : address)
        if (static_cast<unsigned char>(c) <= 0x20 || c == 0x7F || c == '\\')
            return std::nullopt;
    if (startsWithIgnoringCase(address, "blob:"))
        address.remove_prefix(5);
    std::size_t n = 0;
    while (n < address.size()
           && (isLetter(address[n])
               || (n > 0 && (isDigit(address[n]) || address[n] == '+' || address[n] == '-' || address[n] == '.'))))
        ++n;
    if (n == 0 || address.substr(n, 3) != "://")
        return std::string();
    std::string_view authority = address.substr(n + 3);
    authority = authority.substr(0, authority.find_first_of("/?#"));
    if (const std::size_t at = authority.rfind('@'); at != std::string_view::npos)
        authority.remove_prefix(at + 1);
    std::string_view name = authority;
    std::string_view port;
    if (authority.starts_with('[')) {
        const std::size_t close = authority.find(']');
        if (close == std::string_view::npos)
            return std::nullopt;
        name = authority.substr(0, close + 1);
        port = authority.substr(close + 1);
    } else if (const std::size_t colon = authority.find(':'); colon != std::string_view::npos) {
        name = authority.substr(0, colon);
        port = authority.substr(colon);
    }
    if (!port.empty() && (port.front() != ':' || port.find_first_not_of("0123456789", 1) != std::string_view::npos))
        return std::nullopt;
    std::string host(name);
    for (char& c : host)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c | 0x20);
    return host;
}

void checkHost(std::string_view address)
{
    const std::string host = zemora::hostOf(address);
    require(host.find_first_of("/?#") == std::string::npos);
    for (char c : host)
        require(!(c >= 'A' && c <= 'Z'));
    if (const std::optional<std::string> expected = engineHost(address))
        require(host == *expected);
}

// What the address box takes for a scheme is what the engine reads, where the box sees
// one; the default scheme is added to all else and never makes a script.
void checkScheme(std::string_view address)
{
    const std::string scheme = zemora::schemeOf(address);
    if (zemora::hasScheme(address)) {
        require(isLetter(address.front()));
        require(!scheme.empty() && scheme == zemora::parsedScheme(address));
    } else {
        require(scheme.empty());
    }
    const std::string opened = zemora::withDefaultScheme(address);
    if (address.empty()) {
        require(opened.empty());
        return;
    }
    require(zemora::hasScheme(opened));
    require(opened == address || opened == std::string(zemora::kDefaultScheme) + std::string(address));
    require(!zemora::isScriptAddress(opened) || zemora::isScriptAddress(address));
}

void checkCompletion(std::string_view typed)
{
    const std::string opened = zemora::CompleteAddress(typed);
    require(!zemora::isScriptAddress(opened));
    require(zemora::hasScheme(opened));
    checkScheme(opened);
    checkHost(opened);
    if (zemora::hasScheme(typed) && zemora::parsedScheme(typed) != "javascript") {
        require(opened == typed);
    } else if (opened.starts_with(zemora::kSearchPrefix)) {
        const std::string_view query = std::string_view(opened).substr(zemora::kSearchPrefix.size());
        require(query.find_first_of(" &#+") == std::string_view::npos);
        require(zemora::percentDecoded(query) == typed);
    } else {
        require(opened.starts_with("http://"));
    }
    if (isBareWord(typed))
        require(zemora::completedBareName(opened) == std::string(typed));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string typed = zemora::trimSpaces(text);
    // What is left is the text between the spaces around it.
    const std::size_t leading = text.find_first_not_of(' ');
    require(typed.empty() == (leading == std::string_view::npos));
    if (!typed.empty()) {
        require(typed.front() != ' ' && typed.back() != ' ');
        require(text.substr(leading, typed.size()) == typed);
        require(text.find_first_not_of(' ', leading + typed.size()) == std::string_view::npos);
        checkCompletion(typed);
    }
    checkScheme(text);
    checkHost(text);
    return 0;
}
