#include "tests/support/InternetStandIn.h"

#include <webkit2/webkit2.h>

#include "engine/WebKitWebsiteData.h"

namespace zemora::test {

HttpServer& internetStandIn()
{
    static HttpServer* server = [] {
        auto* standIn = new HttpServer; // lives as long as the test process
        // This machine, and names that can never be found (tests of a failed lookup).
        const gchar* const direct[] = {"127.0.0.1", "localhost", "*.invalid", nullptr};
        WebKitNetworkProxySettings* proxy = webkit_network_proxy_settings_new(standIn->url("").c_str(), direct);
        webkit_website_data_manager_set_network_proxy_settings(
            webkit_web_context_get_website_data_manager(userWebContext()), WEBKIT_NETWORK_PROXY_MODE_CUSTOM, proxy);
        webkit_network_proxy_settings_free(proxy);
        return standIn;
    }();
    return *server;
}

} // namespace zemora::test
