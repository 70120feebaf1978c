#pragma once
// Paths and the names of shortcut files, spelled the same on every floor.
#include <string>
#include <string_view>

namespace zemora {

// The ending that makes a file a favorite.
inline constexpr std::string_view kShortcutExtension = ".url";

// `name` inside `folder`, with one "/" between them and none at the end; the root stays
// "/" ("/" and "a" give "/a").
std::string joinPath(const std::string& folder, std::string_view name);

// Whether `name` ends in ".url" in any case and has something before it.
bool isShortcutFileName(std::string_view name);

} // namespace zemora
