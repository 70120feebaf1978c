#include "engine/WebKitWebsiteData.h"

#include <utility>

#include <webkit2/webkit2.h>

#include "base/Addresses.h"
#include "base/Failure.h"
#include "base/Texts.h"
#include "browse/WebsiteData.h"

namespace zemora {

namespace {

std::string& notice()
{
    static std::string text;
    return text;
}

WebKitWebContext* makeContext()
{
    const WebsiteDataFolders folders = websiteDataFoldersFromEnvironment();
    const CookieStoreState state = prepareWebsiteData(folders);
    const bool kept = state.store == CookieStore::Usable || state.store == CookieStore::PutAside;
    // The engine names its data and cache folders after the program's name when it first
    // uses its data store; the program may run under another (a link, a test), so the
    // store is set up under ours.
    const std::string started = g_get_prgname() ? g_get_prgname() : "";
    g_set_prgname(std::string(kProgramName).c_str());
    WebKitWebContext* context = webkit_web_context_get_default();
    WebKitCookieManager* cookies =
        webkit_website_data_manager_get_cookie_manager(webkit_web_context_get_website_data_manager(context));
    // The engine's own default policy, set to have the store made now.
    webkit_cookie_manager_set_accept_policy(cookies, WEBKIT_COOKIE_POLICY_ACCEPT_NO_THIRD_PARTY);
    // Session cookies stay in memory and end with the window.
    if (kept)
        webkit_cookie_manager_set_persistent_storage(cookies, folders.cookieFile.c_str(),
                                                     WEBKIT_COOKIE_PERSISTENT_STORAGE_SQLITE);
    if (!started.empty())
        g_set_prgname(started.c_str());
    if (state.store == CookieStore::PutAside)
        notice() = bilingual(kCookieStorePutAside, {{"file", state.putAside}});
    else if (!kept)
        notice() = bilingual(state.store == CookieStore::Corrupt ? kCookieStoreCorrupt : kCookieStoreUnwritable,
                             {{"file", folders.cookieFile}});
    return context;
}

} // namespace

WebKitWebContext* userWebContext()
{
    static WebKitWebContext* const context = makeContext();
    return context;
}

std::string takeWebsiteDataNotice() { return std::exchange(notice(), std::string()); }

} // namespace zemora
