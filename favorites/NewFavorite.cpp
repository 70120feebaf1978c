#include "favorites/NewFavorite.h"

#include "base/Paths.h"
#include "base/Texts.h"
#include "base/Utf8.h"
#include "favorites/FileIo.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <memory>
#include <system_error>

namespace zemora {
namespace {

// What wxString::Trim takes off, whatever the locale.
constexpr std::u32string_view kBlanks = U" \t\n\v\f\r";

bool isDirectory(const std::string& path)
{
    struct stat status;
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// 0, or the errno of the folder that could not be made.
int makeFolders(const std::string& folder)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return error.value();
}

std::string cannotCreateFolder(const std::string& path, int error)
{
    return systemErrorMessage(kCannotCreate, fileLabel(kFolderKind, path), error);
}

std::string aboutFavorite(const BilingualText& pattern, const std::string& fileName)
{
    const FileLabel text = fileFailure(pattern, fileLabel(kFavoriteKind, fileName));
    return bilingual(text.chinese, text.english);
}

} // namespace

std::vector<std::string> subfolderNames(const std::string& folder)
{
    std::vector<std::string> names;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
    if (!dir)
        return names;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string_view name = entry->d_name;
        if (name.starts_with('.'))
            continue;
        struct stat status;
        if (::fstatat(::dirfd(dir.get()), entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(status.st_mode))
            names.emplace_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string sanitizeName(std::u32string_view name)
{
    const auto first = name.find_first_not_of(kBlanks);
    if (first == std::u32string_view::npos)
        return {};
    name = name.substr(first, name.find_last_not_of(kBlanks) - first + 1);

    std::string out;
    out.reserve(name.size());
    for (const char32_t c : name) {
        const bool control = c < 0x20 || c == 0x7F;
        const bool unencodable = (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF;
        const bool forbidden = c < 0x80 && std::string_view("/\\:*?\"<>|").find(char(c)) != std::string_view::npos;
        appendUtf8(out, control || unencodable || forbidden ? U'_' : c);
    }
    if (out.starts_with('.'))
        out[0] = '_';
    return out;
}

std::string makeFolderIn(const std::string& parent, const std::string& name)
{
    if (const int error = makeFolders(parent))
        throw systemFailure(kCannotCreate, fileLabel(kFolderKind, parent), error);
    std::string path = joinPath(parent, name);
    if (::mkdir(path.c_str(), 0777) != 0 && !(errno == EEXIST && isDirectory(path)))
        throw systemFailure(kCannotCreate, fileLabel(kFolderKind, path), errno);
    return path;
}

FavoriteTarget checkFavoriteTarget(const std::string& folder, const std::string& name)
{
    using enum FavoriteTarget::Verdict;
    const std::string fileName = name + std::string(kShortcutExtension);
    const std::string path = joinPath(folder, fileName);
    if (fileName.size() > NAME_MAX)
        return {NameTooLong, path, bilingual(kNameTooLong, {{"max", std::to_string(NAME_MAX)}})};
    if (path.size() >= PATH_MAX) // PATH_MAX counts the terminating NUL
        return {PathTooLong, path, bilingual(kPathTooLong, {{"max", std::to_string(PATH_MAX - 1)}})};
    if (const int error = makeFolders(folder))
        return {CannotMakeFolder, path, cannotCreateFolder(folder, error)};

    struct stat status;
    if (::lstat(path.c_str(), &status) != 0)
        return {Free, path, {}};
    if (S_ISDIR(status.st_mode) || isDirectory(path))
        return {IsAFolder, path, aboutFavorite(kFavoriteIsAFolder, fileName)};
    return {Taken, path, aboutFavorite(kReplaceFavorite, fileName)};
}

} // namespace zemora
