#include "base/Paths.h"

#include "base/AsciiText.h"
#include "base/UserFolders.h"

namespace zemora {

std::string joinPath(const std::string& folder, std::string_view name)
{
    std::string path = withoutTrailingSlashes(folder);
    if (path != "/")
        path += '/';
    return withoutTrailingSlashes(path += name);
}

bool isShortcutFileName(std::string_view name)
{
    return name.size() > kShortcutExtension.size()
           && equalsIgnoringAsciiCase(name.substr(name.size() - kShortcutExtension.size()), kShortcutExtension);
}

} // namespace zemora
