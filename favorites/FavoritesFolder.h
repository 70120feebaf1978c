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

// What the favorites list shows of `folder`: its shortcut files (regular files, or links
// to them, whose names end in ".url" in any case, hidden files left out) by name without
// regard to case (lessIgnoringAsciiCase); then, after them, those of its sub-folders,
// each entry named by its path below `folder` ("news/新闻.url"), so `folder` + "/" +
// entry finds the file. Sub-folders are walked depth first by name, at most kMaxFolderDepth
// deep; hidden folders are skipped, and a folder reached a second time (a link back up
// the tree, a bind mount) is not walked again. A sub-folder that cannot be listed is
// left out. A missing `folder` has none; Failure when `folder` itself cannot be listed.
struct FavoritesListing {
    std::vector<std::string> entries;
    // The folders walked, below `folder` ("" is `folder` itself), for watching them.
    std::vector<std::string> folders;
};
FavoritesListing listFavorites(const std::string& folder);

} // namespace zemora
