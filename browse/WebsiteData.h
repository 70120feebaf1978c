#pragma once
// Where the engine keeps the user's website data (cookies, local storage, databases) and
// its HTTP cache, and whether the cookie store can be used: pure rules and a few file
// system calls, no engine.
#include <ctime>
#include <string>

namespace zemora {

struct WebsiteDataFolders {
    std::string data;       // $XDG_DATA_HOME/zemora
    std::string cache;      // $XDG_CACHE_HOME/zemora
    std::string cookieFile; // the cookie store in `data`
};

// The folders for this home and these XDG variables (as set, possibly empty). A variable
// that is empty or not an absolute path is unset, as the XDG rules have it: the data then
// goes to home/.local/share, the cache to home/.cache.
WebsiteDataFolders websiteDataFolders(const std::string& home, const std::string& xdgDataHome,
                                      const std::string& xdgCacheHome);

// websiteDataFolders() for this process: HOME (else the password database) and the
// environment's XDG variables.
WebsiteDataFolders websiteDataFoldersFromEnvironment();

enum class CookieStore {
    Usable,     // kept across restarts
    PutAside,   // the store could not be read: it was renamed and a fresh one is kept
    Corrupt,    // the store could not be read nor put aside: left as it is
    Unwritable, // the folder or the file cannot be made or written
};

struct CookieStoreState {
    CookieStore store = CookieStore::Usable;
    std::string putAside; // for PutAside: where the damaged store went
};

// Makes the two folders (and their missing parents) and limits them and the cookie file
// to the user (0700, 0600), then says whether the engine may keep its cookies there. An
// empty or missing file is a fresh store. A store the database cannot read (a quick
// check, read-only) is renamed "cookies.sqlite.damaged-<date and time of now>", with the
// database's side files, never over another file, and a fresh one made in its place:
// the logins in it are lost to the engine, but not to the user. Nothing else is changed
// beyond the modes.
CookieStoreState prepareWebsiteData(const WebsiteDataFolders& folders, std::time_t now = std::time(nullptr));

} // namespace zemora
