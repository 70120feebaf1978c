#pragma once
// What adding a favorite settles before its file is written: the folders it may go in,
// the name its file gets, and whether that file can be saved where the user chose.
#include <string>
#include <string_view>
#include <vector>

namespace zemora {

// The real sub-folders of `folder`, hidden ones and links left out (a link could lead
// back up the tree), in byte order so they show the same every time. A folder that
// cannot be read has none.
std::vector<std::string> subfolderNames(const std::string& folder);

// `name` as a file name can hold it, in UTF-8: ASCII blanks trimmed from both ends, then
// each control character, each of /\:*?"<>| and each value that is not a Unicode scalar
// value (no UTF-8 can say it) turned into "_", and a leading dot too, which would hide
// the file ("." and ".." are no names at all). Empty when nothing is left.
std::string sanitizeName(std::u32string_view name);

// Makes folder `name` (clean) inside `parent`, and `parent` first when it is missing;
// answers its path. A folder of that name already there is fine. Failure when it cannot.
std::string makeFolderIn(const std::string& parent, const std::string& name);

// Whether favorite `name` (clean, not empty) can be saved in `folder`, and where.
struct FavoriteTarget {
    enum class Verdict {
        Free,             // nothing of that name there: save
        Taken,            // a file of that name is there: ask before replacing it
        NameTooLong,      // the file name is longer than a file system holds
        PathTooLong,      // the whole path is longer than the system takes
        CannotMakeFolder, // `folder` was missing and could not be made
        IsAFolder,        // a folder (or a link to one) has the file's name
    };
    Verdict verdict;
    std::string path;    // `folder`/`name`.url
    std::string message; // for the user: the question when Taken, else why not; empty when Free
};

// Checks the favorite's file name and path against the system's limits first, then makes
// `folder` when it is missing, then looks at what already has that name.
FavoriteTarget checkFavoriteTarget(const std::string& folder, const std::string& name);

} // namespace zemora
