#include "engine/EngineVersion.h"

#include <webkit2/webkit2.h>

namespace zemora {

std::string engineVersion()
{
    // The library loaded, not the headers built against: the distribution updates it.
    return "WebKitGTK " + std::to_string(webkit_get_major_version()) + '.' + std::to_string(webkit_get_minor_version())
           + '.' + std::to_string(webkit_get_micro_version());
}

} // namespace zemora
