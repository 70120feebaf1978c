#include "browse/DownloadNames.h"

#include "base/PercentEncoding.h"
#include "base/Texts.h"
#include "base/UserFolders.h"
#include "base/Utf8.h"

#include <algorithm>

namespace zemora {

namespace {

// An extension longer than this is rather part of the name.
constexpr std::size_t kMaxExtensionBytes = 16;

bool isContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// The last folder part dropped, control characters and broken bytes left out, no dot or
// blank in front, no blank behind.
std::string cleaned(const std::string& text)
{
    const std::size_t slash = text.find_last_of("/\\");
    const std::string last = slash == std::string::npos ? text : text.substr(slash + 1);
    std::string out;
    for (std::size_t i = 0; i < last.size();) {
        const std::size_t length = utf8SequenceLength(std::string_view(last).substr(i));
        if (length == 0) {
            ++i;
            continue;
        }
        const char32_t code = utf8CodePoint(std::string_view(last).substr(i), length);
        const bool control = code < 0x20 || (code >= 0x7F && code <= 0x9F);
        if (!control)
            out.append(last, i, length);
        i += length;
    }
    const std::size_t first = out.find_first_not_of(". ");
    if (first == std::string::npos)
        return {};
    out.erase(0, first);
    out.erase(out.find_last_not_of(' ') + 1);
    return out;
}

// The address's last path segment, decoded.
std::string lastSegment(const std::string& address)
{
    std::string path = address.substr(0, address.find_first_of("?#"));
    if (const auto scheme = path.find("://"); scheme != std::string::npos) {
        const auto pathStart = path.find('/', scheme + 3);
        path = pathStart == std::string::npos ? std::string() : path.substr(pathStart);
    }
    return percentDecoded(path.substr(path.rfind('/') + 1));
}

// Where the extension starts (its dot), or the end when the name has none worth keeping.
std::size_t extensionStart(const std::string& name)
{
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0 || name.size() - dot > kMaxExtensionBytes)
        return name.size();
    return dot;
}

// The stem cut to at most room bytes, on a character boundary, without a blank behind.
std::string cutStem(const std::string& stem, std::size_t room)
{
    if (stem.size() <= room)
        return stem;
    std::size_t end = room;
    while (end > 0 && isContinuation(static_cast<unsigned char>(stem[end])))
        --end;
    while (end > 0 && stem[end - 1] == ' ')
        --end;
    return stem.substr(0, end);
}

// The name with the suffix before its extension, its stem cut (by `spare` bytes more
// than needed) to fit the file system.
std::string withSuffix(const std::string& name, const std::string& suffix, std::size_t spare = 0)
{
    const std::size_t dot = extensionStart(name);
    const std::string extension = name.substr(dot);
    const std::size_t room = kMaxFileNameBytes - extension.size() - suffix.size() - spare;
    std::string stem = cutStem(name.substr(0, dot), room);
    if (stem.empty())
        stem = cutStem(std::string(kDefaultDownloadName), room);
    return stem + suffix + extension;
}

} // namespace

std::string plainFileName(const std::string& suggested, const std::string& address)
{
    std::string name = cleaned(suggested);
    if (name.empty())
        name = cleaned(lastSegment(address));
    if (name.empty())
        name = std::string(kDefaultDownloadName);
    return withSuffix(name, "");
}

std::string numberedName(const std::string& name, int attempt)
{
    std::string plain = withSuffix(name, "");
    if (attempt <= 0)
        return plain;
    const std::string suffix = " (" + std::to_string(attempt) + ")";
    // A name at the length limit that already ends so would come back as itself: cut its
    // stem further until it does not (each cut shortens it, so this ends).
    std::string numbered = withSuffix(name, suffix);
    for (std::size_t spare = 1; numbered == plain && spare < kMaxFileNameBytes / 2; ++spare)
        numbered = withSuffix(name, suffix, spare);
    return numbered;
}

std::string downloadFolderFrom(const std::optional<std::string>& configuredFolder, const std::string& home)
{
    const std::string bareHome = withoutTrailingSlashes(home);
    std::string fallback = (bareHome == "/" ? "" : bareHome) + "/Downloads";
    // The home folder itself is how the desktop says "no folder of its own".
    if (!configuredFolder || *configuredFolder == bareHome)
        return fallback;
    return *configuredFolder;
}

std::string downloadFolder()
{
    const std::string home = homeFolder();
    const std::string configFolder = xdgBaseFolder(environmentValue("XDG_CONFIG_HOME"), home, ".config");
    return downloadFolderFrom(userDirsFolder(configFolder, "XDG_DOWNLOAD_DIR", home), home);
}

} // namespace zemora
