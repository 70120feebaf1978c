#include "favorites/FavoritesFolder.h"

#include "base/Paths.h"
#include "base/UserFolders.h"
#include "favorites/FileIo.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <set>
#include <string_view>

namespace zemora {
namespace {

constexpr std::string_view kEntryName = "XDG_FAVORITES_DIR";

bool isAbsolute(std::string_view path) { return path.starts_with('/'); }

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

// The folder one user-dirs.dirs line assigns to XDG_FAVORITES_DIR, if it is that line and
// its value is usable: "$HOME/..." (with a home) or an absolute path.
std::optional<std::string> favoritesAssignment(std::string_view line, const std::string& home)
{
    skipBlanks(line);
    if (!consume(line, kEntryName))
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
    if (isAbsolute(path))
        return withoutTrailingSlashes(*value);
    return std::nullopt;
}

// The last usable assignment wins, as when the shell sources the file.
std::optional<std::string> favoritesEntry(std::string_view userDirs, const std::string& home)
{
    std::optional<std::string> found;
    while (!userDirs.empty()) {
        const auto lineEnd = std::min(userDirs.find('\n'), userDirs.size());
        if (auto folder = favoritesAssignment(userDirs.substr(0, lineEnd), home))
            found = std::move(folder);
        userDirs.remove_prefix(std::min(lineEnd + 1, userDirs.size()));
    }
    return found;
}

// A user-dirs.dirs that cannot be read is like a missing one: the default folder stands.
std::string readUserDirs(const std::string& path)
{
    try {
        const std::optional<SmallFile> file = readSmallFileIfExists(path, fileLabel(kFileKind, path));
        return file ? file->bytes : std::string();
    } catch (const Failure&) {
        return {};
    }
}

std::string homeFromPasswordDatabase()
{
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::string buffer(size > 0 ? static_cast<std::size_t>(size) : 16384, '\0');
    passwd entry{};
    passwd* result = nullptr;
    while (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &result) == ERANGE
           && buffer.size() < (1u << 20))
        buffer.resize(buffer.size() * 2);
    return result && result->pw_dir ? result->pw_dir : "";
}

// Links count by what they point to; d_type spares a stat for the usual plain entry.
bool isOfKind(int folderFd, const dirent& entry, unsigned char type, mode_t kind)
{
    if (entry.d_type == type)
        return true;
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN)
        return false;
    struct stat status;
    return ::fstatat(folderFd, entry.d_name, &status, 0) == 0 && (status.st_mode & S_IFMT) == kind;
}

// A folder's size roughly tracks its number of entries (a few dozen bytes each on the
// usual file systems); reserving by it spares a large folder's list repeated regrowth.
void reserveForFolder(std::vector<std::string>& names, int folderFd)
{
    struct stat status;
    if (::fstat(folderFd, &status) == 0 && status.st_size > 0)
        names.reserve(names.size() + std::min<std::size_t>(static_cast<std::size_t>(status.st_size) / 24, 1 << 16));
}

using Folder = std::unique_ptr<DIR, int (*)(DIR*)>;

class FavoritesWalk {
public:
    FavoritesListing listing;

    // Lists one open folder, `prefix` before its entries' names; its sub-folders are
    // walked after its own files while `depth` allows. An errno when reading failed.
    int list(DIR* dir, const std::string& prefix, int depth)
    {
        const int fd = ::dirfd(dir);
        struct stat status;
        if (::fstat(fd, &status) != 0 || !seen_.insert({status.st_dev, status.st_ino}).second)
            return 0;
        listing.folders.push_back(prefix.empty() ? prefix : prefix.substr(0, prefix.size() - 1));
        reserveForFolder(listing.entries, fd);
        std::vector<std::string> subFolders;
        for (;;) {
            errno = 0;
            const dirent* entry = ::readdir(dir);
            if (!entry && errno != 0)
                return errno;
            if (!entry)
                break;
            const std::string_view name = entry->d_name;
            if (name.starts_with('.'))
                continue;
            if (isShortcutFileName(name) && isOfKind(fd, *entry, DT_REG, S_IFREG))
                listing.entries.push_back(prefix + entry->d_name);
            else if (depth < kMaxFolderDepth && isOfKind(fd, *entry, DT_DIR, S_IFDIR))
                subFolders.emplace_back(name);
        }
        for (const std::string& name : subFolders) {
            const int subFd = ::openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NONBLOCK | O_CLOEXEC);
            Folder sub(subFd < 0 ? nullptr : ::fdopendir(subFd), &::closedir);
            if (!sub && subFd >= 0)
                ::close(subFd);
            if (sub)
                list(sub.get(), prefix + name + '/', depth + 1); // what it gave so far stays
        }
        return 0;
    }

private:
    std::set<std::pair<dev_t, ino_t>> seen_;
};

} // namespace

std::optional<std::string> favoritesFolder(const std::string& home, const std::string& xdgConfigHome)
{
    std::string configHome = xdgConfigHome;
    if (!isAbsolute(configHome))
        configHome = home.empty() ? "" : joinPath(home, ".config");
    if (!configHome.empty()) {
        if (auto folder = favoritesEntry(readUserDirs(joinPath(configHome, "user-dirs.dirs")), home))
            return folder;
    }
    if (home.empty())
        return std::nullopt;
    return joinPath(home, "Favorites");
}

std::optional<std::string> favoritesFolderFromEnvironment()
{
    std::string home = environmentValue("HOME");
    if (!isAbsolute(home))
        home = homeFromPasswordDatabase();
    return favoritesFolder(home, environmentValue("XDG_CONFIG_HOME"));
}

FavoritesListing listFavorites(const std::string& folder)
{
    const FileLabel label = fileLabel(kFavoritesFolderKind, folder);
    const Folder dir(::opendir(folder.c_str()), &::closedir);
    if (!dir && errno == ENOENT)
        return {};
    if (!dir)
        throw systemFailure(kCannotList, label, errno);
    FavoritesWalk walk;
    if (const int error = walk.list(dir.get(), "", 0))
        throw systemFailure(kCannotList, label, error);
    return std::move(walk.listing);
}

} // namespace zemora
