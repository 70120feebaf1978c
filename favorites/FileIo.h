#pragma once
// Reading and replacing the small text files favorites live in, with failures phrased
// for the user.
#include "base/Failure.h"
#include "base/Texts.h"

#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <cstdio>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zemora {

// How a message names a file, e.g. {"收藏“新闻.url”", "favorite \"新闻.url\""}.
struct FileLabel {
    std::string chinese;
    std::string english;
};

// The label for a file of the given kind, e.g. fileLabel(kFavoriteKind, "新闻.url").
FileLabel fileLabel(const BilingualText& kind, std::string_view name);
// A settings text about a file ("{file}..."), both halves filled with its label.
FileLabel fileFailure(const BilingualText& pattern, const FileLabel& file);

// "<doing><file>：<reason> (<doing> <file>: <reason>)" for a call that failed with `error`,
// as a message and as the Failure to throw.
std::string systemErrorMessage(const BilingualText& doing, const FileLabel& file, int error);
Failure systemFailure(const BilingualText& doing, const FileLabel& file, int error);

struct SmallFile {
    std::string bytes;
    struct stat status;
};

// Reads a regular file of at most kMaxSmallFileSize bytes whole, never blocking on a
// FIFO or device. nullopt when it does not exist; Failure for anything else amiss.
std::optional<SmallFile> readSmallFileIfExists(const std::string& path, const FileLabel& file);
// The same, with a missing file a Failure too.
SmallFile readSmallFile(const std::string& path, const FileLabel& file);

// The system calls that install a file, each replaceable so tests can make it fail.
struct FileCalls {
    ssize_t (*write)(int fd, const void* data, std::size_t size) = ::write;
    int (*fsync)(int fd) = ::fsync;
    int (*rename)(const char* from, const char* to) = ::rename;
};

// Replaces the file at `path` (through symbolic links) with `content` atomically: a
// temporary file in the same folder, written and flushed, then renamed over it.
// `previous` is the replaced file's status, whose permissions carry over; a new file gets
// 0666 less the umask. On failure the old file is untouched, no temporary file remains,
// and Failure says why.
void replaceFile(const std::string& path, std::string_view content, const struct stat* previous, const FileLabel& file,
                 const FileCalls& calls = {});

} // namespace zemora
