#include "base/UserFolders.h"

#include "base/Paths.h"
#include "base/SmallFile.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace zemora {

namespace {

// A settings file of a few lines; anything larger is no such file.
constexpr std::size_t kMaxUserDirsBytes = std::size_t{64} * 1024;

void skipBlanks(std::string_view& text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
}

bool consume(std::string_view& text, std::string_view prefix)
{
    if (!text.starts_with(prefix))
        return false;
    text.remove_prefix(prefix.size());
    return true;
}

// The text after an opening double quote up to the closing one, backslash escapes
// undone; nullopt without both quotes. What follows the closing quote is not looked at.
std::optional<std::string> quotedText(std::string_view text)
{
    if (!consume(text, "\""))
        return std::nullopt;
    std::string value;
    while (!text.empty() && text.front() != '"') {
        if (text.front() == '\\' && text.size() > 1)
            text.remove_prefix(1);
        value += text.front();
        text.remove_prefix(1);
    }
    return text.empty() ? std::nullopt : std::optional(value);
}

// The folder one line assigns to `name`, if it is that line and its value is usable.
std::optional<std::string> assignment(std::string_view line, std::string_view name, const std::string& home)
{
    skipBlanks(line);
    if (!consume(line, name))
        return std::nullopt;
    skipBlanks(line);
    if (!consume(line, "="))
        return std::nullopt;
    skipBlanks(line);
    const std::optional<std::string> value = quotedText(line);
    if (!value)
        return std::nullopt;
    std::string_view path = *value;
    if (consume(path, "$HOME/"))
        return home.empty() ? std::nullopt : std::optional(joinPath(home, path));
    if (path.starts_with('/'))
        return withoutTrailingSlashes(*value);
    return std::nullopt;
}

} // namespace

std::string environmentValue(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string withoutTrailingSlashes(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

std::string homeFolder()
{
    if (std::string home = environmentValue("HOME"); home.starts_with('/'))
        return home;
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::string buffer(size > 0 ? static_cast<std::size_t>(size) : 16384, '\0');
    passwd entry{};
    passwd* result = nullptr;
    while (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &result) == ERANGE
           && buffer.size() < (1u << 20))
        buffer.resize(buffer.size() * 2);
    return result && result->pw_dir && result->pw_dir[0] == '/' ? result->pw_dir : "";
}

std::string xdgBaseFolder(const std::string& xdgValue, const std::string& home, std::string_view underHome)
{
    if (xdgValue.starts_with('/'))
        return withoutTrailingSlashes(xdgValue);
    return home.empty() ? std::string() : joinPath(home, underHome);
}

std::optional<std::string> userDirsEntry(std::string_view text, std::string_view name, const std::string& home)
{
    std::optional<std::string> found;
    while (!text.empty()) {
        const std::size_t lineEnd = std::min(text.find('\n'), text.size());
        if (auto folder = assignment(text.substr(0, lineEnd), name, home))
            found = std::move(folder);
        text.remove_prefix(std::min(lineEnd + 1, text.size()));
    }
    return found;
}

std::optional<std::string> userDirsFolder(const std::string& configFolder, std::string_view name,
                                          const std::string& home)
{
    if (configFolder.empty())
        return std::nullopt;
    // Only a plain file of sensible size: a pipe or a device put there would otherwise hang
    // the start.
    const SmallFileRead read = readSmallRegularFile(joinPath(configFolder, "user-dirs.dirs"), kMaxUserDirsBytes);
    if (read.outcome != SmallFileRead::Outcome::Read)
        return std::nullopt;
    return userDirsEntry(read.bytes, name, home);
}

} // namespace zemora
