#pragma once
// The page the home button opens: built into the program, so it works without a network.
#include <string>

namespace zemora {

// The page's HTML (UTF-8), with a link to each portal of the toolbar.
std::string homePageHtml();

} // namespace zemora
