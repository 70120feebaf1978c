#pragma once
// The engine's one context, with the user's website data kept across restarts.
#include <string>

typedef struct _WebKitWebContext WebKitWebContext;

namespace zemora {

// The engine's default context, made on the first call with its website data under
// $XDG_DATA_HOME/zemora and its cache under $XDG_CACHE_HOME/zemora, and persistent
// cookies kept there. Anything that touches the default context calls this first: the
// engine fixes its folders when the context is made.
WebKitWebContext* userWebContext();

// What the banner says, once, of a cookie store that could not be used (UTF-8); empty
// when cookies are kept, or once it has been taken.
std::string takeWebsiteDataNotice();

} // namespace zemora
