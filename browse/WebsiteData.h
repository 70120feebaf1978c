#pragma once
// Where the engine keeps the user's website data (cookies, local storage, databases) and
// its HTTP cache, and whether the cookie store can be used: pure rules and a few file
// system calls, no engine.
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
    Corrupt,    // the file holds something other than a cookie database; left as it is
    Unwritable, // the folder or the file cannot be made or written
};

// Makes the two folders (and their missing parents) and limits them and the cookie file
// to the user (0700, 0600), then says whether the engine may keep its cookies there. An
// empty or missing file is a fresh store; a file is never changed beyond its mode.
CookieStore prepareWebsiteData(const WebsiteDataFolders& folders);

} // namespace zemora
