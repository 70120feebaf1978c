#include "favorites/FavoritesFolder.h"

#include "base/AsciiText.h"
#include "base/Limits.h"
#include "base/Paths.h"
#include "base/Texts.h"
#include "base/UserFolders.h"
#include "favorites/FileIo.h"

#include <dirent.h>
#include <fcntl.h>
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
        std::vector<std::string> files;
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
                files.emplace_back(name);
            else if (depth < kMaxFolderDepth && isOfKind(fd, *entry, DT_DIR, S_IFDIR))
                subFolders.emplace_back(name);
        }
        // In the order a person looks a name up, not the disk's.
        std::sort(files.begin(), files.end(), lessIgnoringAsciiCase);
        std::sort(subFolders.begin(), subFolders.end(), lessIgnoringAsciiCase);
        for (const std::string& name : files)
            listing.entries.push_back(prefix + name);
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
    if (auto folder = userDirsFolder(xdgBaseFolder(xdgConfigHome, home, ".config"), kEntryName, home))
        return folder;
    if (home.empty())
        return std::nullopt;
    return joinPath(home, "Favorites");
}

std::optional<std::string> favoritesFolderFromEnvironment()
{
    return favoritesFolder(homeFolder(), environmentValue("XDG_CONFIG_HOME"));
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
