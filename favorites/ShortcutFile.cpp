#include "favorites/ShortcutFile.h"

#include "base/Texts.h"
#include "base/Utf8.h"
#include "favorites/CodePage.h"
#include "favorites/FileIo.h"
#include "favorites/IniFile.h"
#include "favorites/Utf7.h"

namespace zemora {
namespace {

// Written beside the plain section for an address the code page cannot carry.
constexpr std::string_view kUnicodeSection = "InternetShortcut.W";

std::optional<std::string> unicodeUrl(std::string_view bytes)
{
    const std::optional<std::string> encoded = iniValue(bytes, kUnicodeSection, kShortcutUrlKey);
    if (!encoded)
        return std::nullopt;
    std::optional<std::string> decoded = decodeUtf7(*encoded);
    // UTF-7 can smuggle in the line breaks an INI line never holds; such an address
    // could not be shown on one line nor saved again, so the plain one counts instead.
    if (!decoded || decoded->empty() || decoded->find_first_of("\r\n") != std::string::npos)
        return std::nullopt;
    return decoded;
}

std::string fileName(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

std::optional<std::string> shortcutUrl(std::string_view bytes)
{
    if (std::optional<std::string> url = unicodeUrl(bytes))
        return url;
    const std::optional<std::string> plain = iniValue(bytes, kShortcutSection, kShortcutUrlKey);
    if (!plain || plain->empty())
        return std::nullopt;
    return bytes.starts_with(kUtf8ByteOrderMark) ? replaceInvalidUtf8(*plain) : ansiToUtf8(*plain);
}

std::string readShortcutAddress(const std::string& path)
{
    const FileLabel favorite = fileLabel(kFavoriteKind, fileName(path));
    if (std::optional<std::string> url = shortcutUrl(readSmallFile(path, favorite).bytes))
        return std::move(*url);
    const FileLabel text = fileFailure(kNoAddressInFavorite, favorite);
    throw Failure(text.chinese, text.english);
}

} // namespace zemora
