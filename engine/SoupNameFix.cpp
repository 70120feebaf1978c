// The HTTP library's reader of Content-Disposition stores a pointer into freed memory
// when the suggested name has a "/" in it, and later frees it: whoever reads such a
// header aborts. The engine reads it in this process too (for a download a link asked
// for by its own name), so a page could end the whole browser. The library's own
// function is taken over here, in this process, by one that gives it the name without
// folder parts: the name it would have kept anyway.
#include <dlfcn.h>

#include <string>

#include <libsoup/soup.h>

#include "base/PercentEncoding.h"
#include "engine/WebKitDownloads.h"

namespace zemora {

namespace {

using ReadDisposition = gboolean (*)(SoupMessageHeaders*, char**, GHashTable**);

ReadDisposition libraryReader()
{
    static const auto reader = reinterpret_cast<ReadDisposition>(
        dlsym(RTLD_NEXT, "soup_message_headers_get_content_disposition"));
    return reader;
}

} // namespace

bool WebKitDownloads::nameReaderIsSafe()
{
    return libraryReader() != nullptr;
}

} // namespace zemora

extern "C" __attribute__((visibility("default"))) gboolean
soup_message_headers_get_content_disposition(SoupMessageHeaders* headers, char** disposition, GHashTable** params)
{
    using namespace zemora;
    const ReadDisposition reader = libraryReader();
    if (!reader)
        return FALSE;
    std::string name;
    if (!WebKitDownloads::engineCannotSave(headers, name))
        return reader(headers, disposition, params);
    // The same header with the plain name alone, which the library reads safely.
    const std::string text = soup_message_headers_get_one(headers, "Content-Disposition");
    const std::string kind = text.substr(0, text.find(';'));
    const std::string plain = name.substr(name.rfind('/') + 1);
    SoupMessageHeaders* safe = soup_message_headers_new(SOUP_MESSAGE_HEADERS_RESPONSE);
    soup_message_headers_replace(safe, "Content-Disposition",
                                 (kind + "; filename*=UTF-8''" + percentEncoded(plain)).c_str());
    const gboolean found = reader(safe, disposition, params);
    soup_message_headers_free(safe);
    return found;
}
