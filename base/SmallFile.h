#pragma once
// Reading a small file whole, for settings and favorites alike: never blocking on a pipe or
// a device put where the file should be, and never reading more than the caller allows.
#include <sys/stat.h>

#include <cstddef>
#include <string>

namespace zemora {

struct SmallFileRead {
    enum class Outcome {
        Read,
        Missing,    // no such file
        CannotOpen, // `error` says why
        NotRegular, // a folder, pipe or device
        TooLarge,   // over the limit, or grew past it while read
        CannotRead, // `error` says why
    };
    Outcome outcome = Outcome::Read;
    int error = 0;
    std::string bytes;
    struct stat status {};
};

// Reads the regular file at `path` whole when it holds at most `limit` bytes.
SmallFileRead readSmallRegularFile(const std::string& path, std::size_t limit);

} // namespace zemora
