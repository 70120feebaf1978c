#pragma once
// Where the user's favorites live, and which files there are favorites.
#include <optional>
#include <string>
#include <vector>

namespace zemora {

// The Favorites folder, with no trailing "/": the XDG_FAVORITES_DIR entry of
// user-dirs.dirs in `xdgConfigHome` (empty or relative: `home`/.config), else
// `home`/Favorites. nullopt when no folder can be determined at all.
std::optional<std::string> favoritesFolder(const std::string& home, const std::string& xdgConfigHome);

// favoritesFolder for this process: HOME (else the password database) and XDG_CONFIG_HOME.
std::optional<std::string> favoritesFolderFromEnvironment();

// Names of the regular files (or links to them) directly in `folder` whose names end in
// ".url" in any case, hidden files left out, in the order the file system gives them.
// A missing folder has none; Failure when the folder cannot be listed.
std::vector<std::string> listShortcutFiles(const std::string& folder);

} // namespace zemora
