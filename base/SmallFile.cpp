#include "base/SmallFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace zemora {

namespace {

using Outcome = SmallFileRead::Outcome;

SmallFileRead failed(Outcome outcome, int error = 0)
{
    SmallFileRead result;
    result.outcome = outcome;
    result.error = error;
    return result;
}

// Up to `limit` bytes, starting with room for the size fstat gave; errno on failure.
int readAtMost(int fd, std::size_t limit, std::size_t expected, std::string& bytes)
{
    bytes.assign(std::min(expected, limit) + 1, '\0');
    std::size_t used = 0;
    while (used < limit) {
        if (used == bytes.size())
            bytes.resize(std::min(bytes.size() * 2, limit));
        const ssize_t count = ::read(fd, bytes.data() + used, bytes.size() - used);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return errno;
        if (count == 0)
            break;
        used += static_cast<std::size_t>(count);
    }
    bytes.resize(used);
    return 0;
}

SmallFileRead readOpen(int fd, std::size_t limit)
{
    SmallFileRead result;
    if (::fstat(fd, &result.status) != 0)
        return failed(Outcome::CannotRead, errno);
    if (!S_ISREG(result.status.st_mode))
        return failed(Outcome::NotRegular);
    const auto size = static_cast<std::size_t>(result.status.st_size);
    if (size > limit)
        return failed(Outcome::TooLarge);
    // One byte past the limit tells a file that grew since fstat.
    if (const int error = readAtMost(fd, limit + 1, size, result.bytes))
        return failed(Outcome::CannotRead, error);
    if (result.bytes.size() > limit)
        return failed(Outcome::TooLarge);
    return result;
}

} // namespace

SmallFileRead readSmallRegularFile(const std::string& path, std::size_t limit)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return failed(errno == ENOENT ? Outcome::Missing : Outcome::CannotOpen, errno);
    SmallFileRead result = readOpen(fd, limit);
    ::close(fd);
    return result;
}

} // namespace zemora
