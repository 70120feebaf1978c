#pragma once
// Which web engine the program runs on, as the user is told it.
#include <string>

namespace zemora {

// The engine's name and the version of the library loaded, such as "WebKitGTK 2.50.6".
std::string engineVersion();

} // namespace zemora
