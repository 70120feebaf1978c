#pragma once
// Where a download goes and under which name: pure rules, no toolkit.
// Every text is UTF-8.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace zemora {

// The longest file name most Linux file systems take, in bytes.
constexpr std::size_t kMaxFileNameBytes = 255;

// A plain file name from the server's suggestion, or else from the address's last path
// segment: no folder parts, no leading dot, no control characters or broken UTF-8,
// never empty, at most kMaxFileNameBytes (cut on a character boundary, the extension
// kept).
std::string plainFileName(const std::string& suggested, const std::string& address);

// The attempt-th name to try for a plain name: attempt 0 is the name itself, then
// "stem (1).ext", "stem (2).ext", ..., each within kMaxFileNameBytes.
std::string numberedName(const std::string& name, int attempt);

// The user's download folder: the one user-dirs.dirs assigns (`configuredFolder`, see
// userDirsEntry()), else home/Downloads. A setting of the home folder itself means no
// download folder of its own.
std::string downloadFolderFrom(const std::optional<std::string>& configuredFolder, const std::string& home);

// downloadFolderFrom() for this process: HOME and XDG_CONFIG_HOME from the environment.
std::string downloadFolder();

} // namespace zemora
