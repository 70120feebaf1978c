#pragma once
// What a page hands over when something of it is dragged away. Text is UTF-8.
#include <string>
#include <string_view>

namespace zemora {

// The address of the link a page's markup of a drag is, when it is one link and nothing
// else ("<a href=\"http://x/\">x</a>", between the engine's <meta> and line break): its href with the
// markup's escapes undone. Empty for anything else: text, or more than one link.
std::string draggedLink(std::string_view markup);

} // namespace zemora
