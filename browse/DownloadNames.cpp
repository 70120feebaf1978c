#include "browse/DownloadNames.h"

#include "base/UserFolders.h"
#include "base/Settings.h"

#include <algorithm>

#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace zemora {


namespace {

// An extension longer than this is rather part of the name.
constexpr std::size_t kMaxExtensionBytes = 16;

bool isContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// The length of the valid UTF-8 sequence starting at i, or 0 when it is broken.
std::size_t sequenceLength(const std::string& s, std::size_t i, char32_t& code)
{
    const auto c = static_cast<unsigned char>(s[i]);
    std::size_t length = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3
                                      : (c & 0xF8) == 0xF0 ? 4 : 0;
    if (length == 0 || i + length > s.size())
        return 0;
    code = length == 1 ? c : length == 2 ? c & 0x1F : length == 3 ? c & 0x0F : c & 0x07;
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(s[i + k]);
        if (!isContinuation(next))
            return 0;
        code = (code << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and values past Unicode are as broken as a stray byte.
    static constexpr char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < least[length] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
        return 0;
    return length;
}

// The last folder part dropped, control characters and broken bytes left out, no dot or
// blank in front, no blank behind.
std::string cleaned(const std::string& text)
{
    const std::size_t slash = text.find_last_of("/\\");
    const std::string last = slash == std::string::npos ? text : text.substr(slash + 1);
    std::string out;
    for (std::size_t i = 0; i < last.size();) {
        char32_t code = 0;
        const std::size_t length = sequenceLength(last, i, code);
        if (length == 0) {
            ++i;
            continue;
        }
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

std::string percentDecoded(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && std::isxdigit(static_cast<unsigned char>(text[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
            out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
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

// The stem cut to at most room bytes, on a character boundary.
std::string cutStem(const std::string& stem, std::size_t room)
{
    if (stem.size() <= room)
        return stem;
    std::size_t end = room;
    while (end > 0 && isContinuation(static_cast<unsigned char>(stem[end])))
        --end;
    return stem.substr(0, end);
}

std::string withSuffix(const std::string& name, const std::string& suffix)
{
    const std::size_t dot = extensionStart(name);
    const std::string extension = name.substr(dot);
    std::string stem = cutStem(name.substr(0, dot), kMaxFileNameBytes - extension.size() - suffix.size());
    if (stem.empty())
        stem = cutStem(std::string(kDefaultDownloadName), kMaxFileNameBytes - extension.size() - suffix.size());
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

std::optional<std::string> dispositionFileName(std::string_view header)
{
    // Parameters follow the disposition type, each ";" name "=" value.
    std::size_t at = header.find(';');
    while (at != std::string_view::npos && at < header.size()) {
        ++at;
        while (at < header.size() && (header[at] == ' ' || header[at] == '\t'))
            ++at;
        const std::size_t equals = header.find('=', at);
        if (equals == std::string_view::npos)
            return std::nullopt;
        std::string_view name = header.substr(at, equals - at);
        while (!name.empty() && (name.back() == ' ' || name.back() == '\t'))
            name.remove_suffix(1);
        std::string value;
        at = equals + 1;
        while (at < header.size() && (header[at] == ' ' || header[at] == '\t'))
            ++at;
        if (at < header.size() && header[at] == '"') {
            for (++at; at < header.size() && header[at] != '"'; ++at) {
                if (header[at] == '\\' && at + 1 < header.size())
                    ++at;
                value += header[at];
            }
            at = header.find(';', at);
        } else {
            const std::size_t end = header.find(';', at);
            value = std::string(header.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at));
            while (!value.empty() && (value.back() == ' ' || value.back() == '\t'))
                value.pop_back();
            at = end;
        }
        if (name.size() == 8 && std::equal(name.begin(), name.end(), "filename",
                                           [](char a, char b) { return (a | 0x20) == b; }))
            return value;
    }
    return std::nullopt;
}

std::string numberedName(const std::string& name, int attempt)
{
    return attempt <= 0 ? withSuffix(name, "") : withSuffix(name, " (" + std::to_string(attempt) + ")");
}

std::string downloadFolderFrom(const std::optional<std::string>& userDirsText, const std::string& home)
{
    std::string bareHome = home;
    while (bareHome.size() > 1 && bareHome.ends_with('/'))
        bareHome.pop_back();
    const std::string fallback = (bareHome == "/" ? "" : bareHome) + "/Downloads";
    if (!userDirsText)
        return fallback;
    std::istringstream lines(*userDirsText);
    std::string line, chosen;
    while (std::getline(lines, line)) {
        // XDG_DOWNLOAD_DIR = "$HOME/..." or "/...", blanks allowed, backslash escapes.
        std::size_t i = line.find_first_not_of(" \t");
        if (i == std::string::npos || line.compare(i, 16, "XDG_DOWNLOAD_DIR") != 0)
            continue;
        i = line.find_first_not_of(" \t", i + 16);
        if (i == std::string::npos || line[i] != '=')
            continue;
        i = line.find_first_not_of(" \t", i + 1);
        if (i == std::string::npos || line[i] != '"')
            continue;
        std::string value;
        bool closed = false;
        for (++i; i < line.size(); ++i) {
            if (line[i] == '"') {
                closed = true;
                break;
            }
            if (line[i] == '\\' && i + 1 < line.size())
                ++i;
            value += line[i];
        }
        if (!closed)
            continue;
        if (value.starts_with("$HOME"))
            value = bareHome + value.substr(5);
        while (value.size() > 1 && value.ends_with('/'))
            value.pop_back();
        // A relative setting is none; the home folder itself means no folder of its own.
        if (!value.starts_with('/'))
            continue;
        chosen = value == bareHome ? fallback : value;
    }
    return chosen.empty() ? fallback : chosen;
}

std::string downloadFolder()
{
    const std::string home = homeFolder();
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const std::string configFolder = config && config[0] == '/' ? config : home + "/.config";
    std::ifstream in(configFolder + "/user-dirs.dirs", std::ios::binary);
    if (!in)
        return downloadFolderFrom(std::nullopt, home);
    std::string text;
    char buffer[4096];
    // A settings file of a few lines; anything past 64 KiB is no such file.
    while (text.size() < 65536 && in.read(buffer, sizeof buffer).gcount() > 0)
        text.append(buffer, static_cast<std::size_t>(in.gcount()));
    return downloadFolderFrom(text, home);
}

} // namespace zemora
