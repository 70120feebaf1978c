#include "browse/WebsiteData.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "base/Addresses.h"
#include "base/Paths.h"
#include "base/PercentEncoding.h"
#include "base/UserFolders.h"

namespace zemora {

namespace {

constexpr std::string_view kCookieFileName = "cookies.sqlite";
constexpr std::string_view kPutAsideMark = ".damaged-";
// The files the database keeps beside a store: a journal left by a crash would otherwise
// be played into the fresh store.
constexpr std::string_view kSideFiles[] = {"-journal", "-wal", "-shm"};
constexpr mode_t kFolderMode = 0700;
// Names tried for a damaged store before leaving it where it is.
constexpr int kMaxPutAsideAttempts = 100;
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

// The start of every database file, and of a rollback journal the database wrote.
constexpr std::string_view kDatabaseHeader{"SQLite format 3\0", 16};
constexpr std::string_view kJournalHeader{"\xd9\xd5\x05\xf9\x20\xa1\x63\xd7", 8};

bool startsWith(const std::string& path, std::string_view header)
{
    std::string start(header.size(), '\0');
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    const bool read = fd >= 0 && ::pread(fd, start.data(), start.size(), 0) == static_cast<ssize_t>(start.size());
    if (fd >= 0)
        ::close(fd);
    return read && start == header;
}

// Whether the database cannot read the store: no database, or one that fails its quick
// check. A journal the database wrote beside it, left by a crash in the middle of a
// write, is the engine's to play back: such a store is not judged.
bool unreadableStore(const std::string& path)
{
    if (!startsWith(path, kDatabaseHeader))
        return true;
    if (startsWith(path + "-journal", kJournalHeader))
        return false;
    // Read as the file stands, whatever lies beside it: junk named like a journal is never
    // played into the store by the check.
    const std::string uri = "file:" + percentEncoded(path, "/") + "?immutable=1";
    sqlite3* database = nullptr;
    sqlite3_stmt* check = nullptr;
    bool damaged = true;
    if (sqlite3_open_v2(uri.c_str(), &database, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr) == SQLITE_OK
        && sqlite3_prepare_v2(database, "PRAGMA quick_check", -1, &check, nullptr) == SQLITE_OK
        && sqlite3_step(check) == SQLITE_ROW) {
        const auto* answer = reinterpret_cast<const char*>(sqlite3_column_text(check, 0));
        damaged = !answer || std::strcmp(answer, "ok") != 0;
    }
    sqlite3_finalize(check);
    sqlite3_close(database);
    return damaged;
}

// Renames a file without replacing another; false when it could not.
bool renameAside(const std::string& from, const std::string& to)
{
    return ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0;
}

// Puts the store and its side files aside under a name with the time; the name put aside,
// or empty when the store could not be moved.
std::string putStoreAside(const std::string& store, std::time_t now)
{
    char stamp[32];
    std::tm local{};
    ::localtime_r(&now, &local);
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d-%H%M%S", &local);
    for (int attempt = 0; attempt < kMaxPutAsideAttempts; ++attempt) {
        std::string aside =
            store + std::string(kPutAsideMark) + stamp + (attempt ? "-" + std::to_string(attempt) : std::string());
        if (!renameAside(store, aside)) {
            if (errno == EEXIST)
                continue;
            return {};
        }
        for (const std::string_view side : kSideFiles)
            renameAside(store + std::string(side), aside + std::string(side));
        return aside;
    }
    return {};
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

CookieStoreState prepareWebsiteData(const WebsiteDataFolders& folders, std::time_t now)
{
    // The cache is the engine's to fill or to do without; only the cookies need an answer.
    makePrivateFolder(folders.cache);
    if (!makePrivateFolder(folders.data))
        return {CookieStore::Unwritable, {}};
    CookieStoreState state;
    struct stat status;
    const bool present = ::lstat(folders.cookieFile.c_str(), &status) == 0;
    // Whatever stands in the store's place that the database cannot read, a folder or a
    // link included, goes aside whole.
    if (present && (!S_ISREG(status.st_mode) || (status.st_size > 0 && unreadableStore(folders.cookieFile)))) {
        state.putAside = putStoreAside(folders.cookieFile, now);
        if (state.putAside.empty())
            return {CookieStore::Corrupt, {}};
        state.store = CookieStore::PutAside;
    }
    // Opened for writing, as the store will be, without following a link or blocking on
    // a pipe; made here so it never exists with the umask's wider mode.
    const int fd =
        ::open(folders.cookieFile.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, kFileMode);
    if (fd < 0)
        return {errno == ELOOP || errno == EISDIR ? CookieStore::Corrupt : CookieStore::Unwritable, state.putAside};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode))
        state.store = CookieStore::Corrupt;
    else if ((status.st_mode & 07777) != kFileMode && ::fchmod(fd, kFileMode) != 0)
        state.store = CookieStore::Unwritable;
    ::close(fd);
    return state;
}

} // namespace zemora
