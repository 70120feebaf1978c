#include "browse/WebsiteData.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "base/Paths.h"
#include "base/Settings.h"
#include "base/UserFolders.h"

namespace zemora {

namespace {

constexpr std::string_view kCookieFileName = "cookies.sqlite";
// Every database file the engine's cookie store writes begins with these 16 bytes.
constexpr char kDatabaseHeader[] = "SQLite format 3";
constexpr mode_t kFolderMode = 0700;
constexpr mode_t kFileMode = 0600;

// Makes the folder and its missing parents; the folder itself is the user's alone.
bool makePrivateFolder(const std::string& folder)
{
    for (std::size_t slash = folder.find('/', 1); slash != std::string::npos; slash = folder.find('/', slash + 1))
        ::mkdir(folder.substr(0, slash).c_str(), 0755);
    if (::mkdir(folder.c_str(), kFolderMode) != 0 && errno != EEXIST)
        return false;
    struct stat status;
    if (::stat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode))
        return false;
    // Made earlier, or by the engine under the umask: tightened each time.
    return (status.st_mode & 07777) == kFolderMode || ::chmod(folder.c_str(), kFolderMode) == 0;
}

} // namespace

WebsiteDataFolders websiteDataFolders(const std::string& home, const std::string& xdgDataHome,
                                      const std::string& xdgCacheHome)
{
    // Without any home the engine still needs somewhere; the root's is as good as none.
    const std::string someHome = home.empty() ? "/" : home;
    WebsiteDataFolders folders;
    folders.data = joinPath(xdgBaseFolder(xdgDataHome, someHome, ".local/share"), kProgramName);
    folders.cache = joinPath(xdgBaseFolder(xdgCacheHome, someHome, ".cache"), kProgramName);
    folders.cookieFile = joinPath(folders.data, kCookieFileName);
    return folders;
}

WebsiteDataFolders websiteDataFoldersFromEnvironment()
{
    return websiteDataFolders(homeFolder(), environmentValue("XDG_DATA_HOME"), environmentValue("XDG_CACHE_HOME"));
}

CookieStore prepareWebsiteData(const WebsiteDataFolders& folders)
{
    // The cache is the engine's to fill or to do without; only the cookies need an answer.
    makePrivateFolder(folders.cache);
    if (!makePrivateFolder(folders.data))
        return CookieStore::Unwritable;
    // Opened for writing, as the store will be, without following a link or blocking on
    // a pipe; made here so it never exists with the umask's wider mode.
    const int fd = ::open(folders.cookieFile.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, kFileMode);
    if (fd < 0)
        return errno == ELOOP || errno == EISDIR ? CookieStore::Corrupt : CookieStore::Unwritable;
    struct stat status;
    CookieStore answer = CookieStore::Usable;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        answer = CookieStore::Corrupt;
    } else {
        if ((status.st_mode & 07777) != kFileMode && ::fchmod(fd, kFileMode) != 0)
            answer = CookieStore::Unwritable;
        char header[sizeof kDatabaseHeader] = {};
        if (status.st_size > 0 &&
            (::pread(fd, header, sizeof header, 0) != static_cast<ssize_t>(sizeof header) ||
             std::memcmp(header, kDatabaseHeader, sizeof header) != 0))
            answer = CookieStore::Corrupt;
    }
    ::close(fd);
    return answer;
}

} // namespace zemora
