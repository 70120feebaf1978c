// A page's address and the address it asks for, into the gate that decides what a page
// may open, the paste rule and the address a redirected load keeps. Stops (trap) when
// the gate lets through a scheme other than the web's own, a local file from the web, or
// anything the engine would read as a script; when the paste rule leaves a script, takes
// off more than script schemes or touches other text; or when the kept address is one
// the page could not have opened. The engine's reading of a scheme is modelled here
// apart from the code under test.
//
// Input: "<page>\n<target>". The page holds no LF this way, as no address the engine
// hands over does; the target can, which is how "java\nscript:" gets in. An input
// without LF is all target, asked for by a web page.
#include "browse/PageRequests.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/Require.h"

namespace {

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool isTabOrNewline(char c) { return c == '\t' || c == '\n' || c == '\r'; }

bool isControlOrSpace(char c) { return static_cast<unsigned char>(c) <= 0x20; }

// As a URL parser reads it: tabs and newlines dropped anywhere, C0 controls and spaces in
// front skipped, then a scheme is what stands before the first ":" when it is a letter
// followed by letters, digits, "+", "-" and ".". Case folded.
std::string effectiveScheme(std::string_view address)
{
    std::string text;
    for (char c : address)
        if (!isTabOrNewline(c))
            text += c;
    std::size_t start = 0;
    while (start < text.size() && isControlOrSpace(text[start]))
        ++start;
    const std::size_t colon = text.find(':', start);
    if (colon == std::string::npos || colon == start || !isLetter(text[start]))
        return {};
    std::string scheme;
    for (char c : std::string_view(text).substr(start, colon - start)) {
        if (!isLetter(c) && !(c >= '0' && c <= '9') && c != '+' && c != '-' && c != '.')
            return {};
        scheme += lower(c);
    }
    return scheme;
}

// Schemes the top frame may be sent to by any page.
bool isWebScheme(std::string_view scheme)
{
    return scheme == "http" || scheme == "https" || scheme == "blob" || scheme == "zemora";
}

bool mayOpenByModel(std::string_view page, std::string_view target)
{
    const std::string scheme = effectiveScheme(target);
    return isWebScheme(scheme) || (scheme == "file" && effectiveScheme(page) == "file");
}

// Whether `removed` is nothing but script schemes, each with what a parser skips before
// it: what the paste rule may take off the front.
bool isScriptSchemesOnly(std::string_view removed)
{
    std::string text;
    for (char c : removed)
        if (!isTabOrNewline(c))
            text += c;
    std::string_view rest = text;
    while (!rest.empty()) {
        while (!rest.empty() && isControlOrSpace(rest.front()))
            rest.remove_prefix(1);
        constexpr std::string_view kScript = "javascript:";
        if (rest.size() < kScript.size())
            return false;
        for (std::size_t i = 0; i < kScript.size(); ++i)
            if (lower(rest[i]) != kScript[i])
                return false;
        rest.remove_prefix(kScript.size());
    }
    return true;
}

void checkGate(std::string_view page, std::string_view target)
{
    const std::string scheme = effectiveScheme(target);
    require(zemora::parsedScheme(target) == scheme);
    require(zemora::isScriptAddress(target) == (scheme == "javascript"));

    const bool may = zemora::pageMayOpen(page, target);
    // Never a script, an inline document or another program's scheme; a local file only
    // from a local file.
    require(!may || mayOpenByModel(page, target));
    require(may || !isWebScheme(scheme));
    // A local page as the engine spells it may open its neighbours.
    if (scheme == "file" && page.starts_with("file://"))
        require(may);
}

void checkPaste(std::string_view pasted)
{
    const std::string kept = zemora::withoutScriptScheme(pasted);
    require(effectiveScheme(kept) != "javascript");
    require(!zemora::isScriptAddress(kept));
    require(pasted.ends_with(kept));
    require(isScriptSchemesOnly(pasted.substr(0, pasted.size() - kept.size())));
    if (effectiveScheme(pasted) != "javascript")
        require(kept == pasted);
}

void checkKept(std::string_view asked, std::string_view reached)
{
    // A load with no address of its own has nothing to fall back to.
    if (asked.empty())
        return;
    const std::string kept = zemora::addressToKeep(asked, reached);
    require(kept == reached || kept == asked);
    if (kept != asked)
        require(mayOpenByModel(asked, kept));
    if (isWebScheme(effectiveScheme(reached)))
        require(kept == reached);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t end = bytes.find('\n');
    const std::string_view page = end == std::string_view::npos ? "https://example.test/" : bytes.substr(0, end);
    const std::string_view target = end == std::string_view::npos ? bytes : bytes.substr(end + 1);
    checkGate(page, target);
    checkPaste(target);
    checkKept(page, target);
    return 0;
}
