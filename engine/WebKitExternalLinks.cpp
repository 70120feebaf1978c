// Links for other programs: addresses the engine cannot show (mailto:, tel:, magnet:...)
// go to the desktop's program for their scheme, once the user has said so; the page stays.
#include <algorithm>
#include <memory>

#include <gio/gio.h>
#include <webkit2/webkit2.h>

#include "base/Addresses.h"
#include "base/Failure.h"
#include "base/Limits.h"
#include "base/Texts.h"
#include "browse/PageRequests.h"
#include "engine/WebKitBrowser.h"

namespace zemora {

namespace {

// What the engine shows itself, and ours.
bool engineShows(const std::string& scheme)
{
    static constexpr std::string_view kShown[] = {"http", "https", "file", "data", "blob", "about", "javascript"};
    return scheme == kHomeScheme || std::find(std::begin(kShown), std::end(kShown), scheme) != std::end(kShown);
}

} // namespace

bool WebKitBrowser::forOtherPrograms(const std::string& address, bool byTheUser)
{
    const std::string scheme = parsedScheme(address);
    if (scheme.empty() || engineShows(scheme))
        return false;
    const std::string told = address.substr(0, kMaxToldAddress);
    // A page hands nothing to another program unless the user clicked for it.
    if (!byTheUser) {
        tellStatus(bilingual(kPageRequestRefused, {{"address", told}}));
        return true;
    }
    const std::shared_ptr<GAppInfo> program(g_app_info_get_default_for_uri_scheme(scheme.c_str()), g_object_unref);
    if (!program) {
        tellStatus(bilingual(kNoProgramForLink, {{"scheme", scheme}}));
        return true;
    }
    // Asked once the engine's signal has returned; one question at a time.
    externalLink_.run([this, program, address] {
        const std::string name = g_app_info_get_display_name(program.get());
        if (!askOpenElsewhere || !askOpenElsewhere(name, address))
            return;
        std::string uri = address;
        GList* uris = g_list_append(nullptr, uri.data());
        GError* error = nullptr;
        if (!g_app_info_launch_uris(program.get(), uris, nullptr, &error)) {
            tellStatus(bilingual(kProgramFailed, {{"program", name}, {"reason", error->message}}));
            g_error_free(error);
        }
        g_list_free(uris);
    });
    return true;
}

} // namespace zemora
