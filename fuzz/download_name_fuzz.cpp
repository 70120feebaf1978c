// A server's suggested name and the download's address into download naming. Stops
// (trap) when a name could leave the download folder or hide in it: empty, "." or
// "..", a leading dot, a slash or backslash, a control character, broken UTF-8, more
// than the file system takes; when a suggestion that already is such a name is changed,
// or one too long is not cut just before its extension, to within a character of the
// limit; or when the numbered names to try are not each such a name, numbered as asked
// and all different.
//
// Input: a byte of padding and a byte of attempt, then "<suggested>\n<address>". The
// padding puts that many "x" (or "名", when the attempt byte is odd) in front of the
// suggestion, so that names reach the length limit; the attempt is that byte halved.
#include "browse/DownloadNames.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "fuzz/CodePoint.h"
#include "fuzz/Require.h"

namespace {

constexpr std::size_t kLimit = 255;

// A name that stays in its folder, shows in a listing and fits the file system (or would,
// but for its length).
bool isPlainName(std::string_view name, std::size_t limit = kLimit)
{
    if (name.empty() || name.size() > limit || name.front() == '.')
        return false;
    for (std::size_t at = 0; at < name.size();) {
        const auto point = nextCodePoint(name, at);
        if (!point)
            return false;
        const char32_t c = point->first;
        if (c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == '/' || c == '\\')
            return false;
        at += point->second;
    }
    return true;
}

// The extension a long name keeps: what follows the last dot, when it is this short.
constexpr std::size_t kExtensionLimit = 16;

std::string_view shortExtension(std::string_view name)
{
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0 || name.size() - dot > kExtensionLimit)
        return {};
    return name.substr(dot);
}

// Whether `name` is a beginning of `whole` followed by its end from a dot on, or by nothing.
bool isCutFrom(std::string_view name, std::string_view whole)
{
    for (std::size_t k = name.size();; --k) {
        if ((k == name.size() || name[k] == '.') && whole.starts_with(name.substr(0, k))
            && whole.ends_with(name.substr(k)))
            return true;
        if (k == 0)
            return false;
    }
}

std::string checkedName(const std::string& suggested, const std::string& address)
{
    const std::string name = zemora::plainFileName(suggested, address);
    require(isPlainName(name));
    if (suggested.empty() || suggested.front() == ' ' || suggested.back() == ' ')
        return name;
    if (isPlainName(suggested))
        require(name == suggested);
    // Too long but plain otherwise: the suggestion with a piece cut out before its
    // extension, by at most one character more than needed.
    if (suggested.size() > kLimit && isPlainName(suggested, std::string::npos)) {
        const std::string_view extension = shortExtension(suggested);
        const std::size_t stemEnd = name.size() - extension.size();
        require(isCutFrom(name, suggested));
        require(name.ends_with(extension));
        // Cut without a blank left behind the stem: shorter only by the blanks dropped.
        require(stemEnd > 0 && name[stemEnd - 1] != ' ');
        require(name.size() > kLimit - 4 || suggested[stemEnd] == ' ');
    }
    return name;
}

void checkNumbered(const std::string& name, int attempt)
{
    const std::string numbered = zemora::numberedName(name, attempt);
    require(isPlainName(numbered));
    if (attempt == 0) {
        require(numbered == name);
        return;
    }
    require(numbered.find(" (" + std::to_string(attempt) + ")") != std::string::npos);
    require(numbered != zemora::numberedName(name, attempt + 1));
    require(numbered != name);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const std::size_t padding = data[0];
    const bool wide = data[1] & 1;
    const int attempt = data[1] >> 1;
    const std::string_view rest(reinterpret_cast<const char*>(data) + 2, size - 2);
    const std::size_t end = rest.find('\n');

    std::string suggested;
    for (std::size_t i = 0; i < padding; ++i)
        suggested += wide ? "名" : "x";
    suggested += rest.substr(0, end);
    const std::string address(end == std::string_view::npos ? std::string_view() : rest.substr(end + 1));

    const std::string name = checkedName(suggested, address);
    checkNumbered(name, attempt);
    require(isPlainName(zemora::numberedName(name, std::numeric_limits<int>::max())));
    return 0;
}
