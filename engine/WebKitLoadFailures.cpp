// Loads that fail, certificates that are not trusted and page processes that end: a page
// of our own says why, under the address that was asked for.
#include <string>

#include <webkit2/webkit2.h>

#include "base/Failure.h"
#include "base/Texts.h"
#include "browse/AddressCompletion.h"
#include "browse/ErrorPages.h"
#include "browse/PageRequests.h"
#include "engine/WebKitBrowser.h"

namespace zemora {

namespace {

static_assert(kCertUnknownCa == G_TLS_CERTIFICATE_UNKNOWN_CA && kCertBadIdentity == G_TLS_CERTIFICATE_BAD_IDENTITY
              && kCertNotActivated == G_TLS_CERTIFICATE_NOT_ACTIVATED && kCertExpired == G_TLS_CERTIFICATE_EXPIRED
              && kCertRevoked == G_TLS_CERTIFICATE_REVOKED && kCertInsecure == G_TLS_CERTIFICATE_INSECURE
              && kCertGenericError == G_TLS_CERTIFICATE_GENERIC_ERROR);

// Why a load failed, in the user's words where we know the cause. The network side hands
// most causes over as text only, so the text is looked at too.
FailureReason reasonOf(const GError* error)
{
    const std::string message = error && error->message ? error->message : "unknown error";
    const auto says = [&](const char* part) { return message.find(part) != std::string::npos; };
    if ((error && error->domain == G_RESOLVER_ERROR) || says("resolving") || says("not known"))
        return failureReason(kServerUnknown, message);
    if (g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CONNECTION_REFUSED) || says("refused"))
        return failureReason(kConnectionRefused, message);
    if (g_error_matches(error, G_IO_ERROR, G_IO_ERROR_TIMED_OUT) || says("timed out"))
        return failureReason(kConnectionTimedOut, message);
    if (g_error_matches(error, G_IO_ERROR, G_IO_ERROR_HOST_UNREACHABLE)
        || g_error_matches(error, G_IO_ERROR, G_IO_ERROR_NETWORK_UNREACHABLE) || says("unreachable"))
        return failureReason(kServerUnreachable, message);
    return failureReason(kLoadFailed, message);
}

// A word the address box made a site's name of, when no such site can be found: what
// the user meant to search for, most likely. The engine spells the name as the network
// does (punycode, a "/" after it); the word is the user's.
std::string searchOffered(const std::string& address, const GError* error)
{
    if (reasonOf(error).chinese != kServerUnknown.chinese)
        return {};
    const std::string host = hostOf(address);
    if (address != asWebAddress(host) && address != asWebAddress(host + "/"))
        return {};
    gchar* unicode = g_hostname_to_unicode(host.c_str());
    const std::string name = unicode ? unicode : host;
    g_free(unicode);
    return completedBareName(asWebAddress(name)).value_or("");
}

// Failures that are no failure to show: a stop, a download taking over, a plug-in.
bool isQuietFailure(const GError* error)
{
    return g_error_matches(error, WEBKIT_NETWORK_ERROR, WEBKIT_NETWORK_ERROR_CANCELLED)
           || g_error_matches(error, WEBKIT_POLICY_ERROR, WEBKIT_POLICY_ERROR_FRAME_LOAD_INTERRUPTED_BY_POLICY_CHANGE)
           || g_error_matches(error, WEBKIT_PLUGIN_ERROR, WEBKIT_PLUGIN_ERROR_WILL_HANDLE_LOAD);
}

} // namespace

gboolean WebKitBrowser::onLoadFailed(WebKitWebView*, int, char* address, void* error, WebKitBrowser* self)
{
    self->endUserStep();
    const auto* failure = static_cast<const GError*>(error);
    if (isQuietFailure(failure))
        return FALSE;
    // A history step whose page fails is not asked again, nor the ones queued: the
    // failure shows.
    self->endStep();
    if (!address)
        return FALSE;
    const std::string kept = addressToKeep(self->loadAddress_, address);
    self->showOwnPage(loadFailedPage(kept, reasonOf(failure), searchOffered(kept, failure)), kept);
    return TRUE;
}

// An untrusted certificate is never accepted; the page says what is wrong with it.
gboolean WebKitBrowser::onTlsErrors(WebKitWebView*, char* address, void*, unsigned errors, WebKitBrowser* self)
{
    self->endUserStep();
    const std::string kept = addressToKeep(self->loadAddress_, address ? address : "");
    self->showOwnPage(certificatePage(kept, static_cast<GTlsCertificateFlags>(errors)), kept);
    return TRUE;
}

// The address stays the current page, so Refresh and the auto refresh load it again.
void WebKitBrowser::onProcessTerminated(WebKitWebView* view, int reason, WebKitBrowser* self)
{
    self->forgetPageDialog();
    // Ended by us for the user's step, which is taken again at once.
    if (reason == WEBKIT_WEB_PROCESS_TERMINATED_BY_API)
        return;
    const char* address = webkit_web_view_get_uri(view);
    if (!self->started_ || !address || !*address)
        return;
    const std::string kept = addressToKeep(self->loadAddress_, address);
    self->showOwnPage(processEndedPage(kept, reason == WEBKIT_WEB_PROCESS_EXCEEDED_MEMORY_LIMIT), kept);
}

void WebKitBrowser::showOwnPage(const std::string& html, const std::string& address)
{
    webkit_web_view_load_alternate_html(webView(), html.c_str(), address.c_str(), nullptr);
}

} // namespace zemora
