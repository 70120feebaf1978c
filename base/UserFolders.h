#pragma once
// The user's folders as the environment gives them, for every floor that needs one.
#include <optional>
#include <string>
#include <string_view>

namespace zemora {

// An environment variable's value; empty when unset.
std::string environmentValue(const char* name);

// The path without the slashes at its end; "/" stays "/".
std::string withoutTrailingSlashes(std::string path);

// HOME when it is an absolute path, else the user's entry in the password database;
// empty when neither names a folder.
std::string homeFolder();

// An XDG base folder: `xdgValue` when it is an absolute path (an empty or relative one
// counts as unset), else `underHome` in `home`; empty when there is neither.
std::string xdgBaseFolder(const std::string& xdgValue, const std::string& home, std::string_view underHome);

// The folder that user-dirs.dirs text assigns to `name` ("XDG_DOWNLOAD_DIR"), read as the
// shell that sources it would: `name`="$HOME/..." (with a home) or `name`="/...", blanks
// around "=" allowed, backslash escapes undone, the last usable line winning, trailing
// slashes dropped. nullopt when no line assigns a usable folder.
std::optional<std::string> userDirsEntry(std::string_view text, std::string_view name, const std::string& home);

// userDirsEntry() of user-dirs.dirs in `configFolder`; a file that is missing, cannot be
// read or is far larger than such a file ever is assigns nothing.
std::optional<std::string> userDirsFolder(const std::string& configFolder, std::string_view name,
                                          const std::string& home);

} // namespace zemora
