#include "base/UserFolders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace zemora {

std::string environmentValue(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string withoutTrailingSlashes(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

std::string homeFolder()
{
    if (std::string home = environmentValue("HOME"); home.starts_with('/'))
        return home;
    if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir)
        return user->pw_dir;
    return "/";
}

} // namespace zemora
