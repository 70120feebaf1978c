#pragma once
// Reading the address out of an Internet shortcut file (.url).
#include <optional>
#include <string>
#include <string_view>

namespace zemora {

// Where a shortcut file keeps its address: key URL of section InternetShortcut.
inline constexpr std::string_view kShortcutSection = "InternetShortcut";
inline constexpr std::string_view kShortcutUrlKey = "URL";

// The address in a shortcut file's bytes, as UTF-8: key URL of section InternetShortcut
// as INI reading gives it, taken from the locale's code page (or as UTF-8 after a UTF-8
// byte-order mark). The UTF-7 URL of section InternetShortcut.W, written for addresses
// the code page cannot carry, wins when it decodes to one line. nullopt when there is no
// address.
std::optional<std::string> shortcutUrl(std::string_view bytes);

// The address in the shortcut file at `path`. Throws Failure naming the favorite and the
// reason when the file cannot be read, is no regular file, is larger than 1 MiB, or
// holds no address.
std::string readShortcutAddress(const std::string& path);

} // namespace zemora
