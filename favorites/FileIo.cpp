#include "favorites/FileIo.h"

#include "base/Limits.h"
#include "base/SmallFile.h"
#include "base/Texts.h"
#include "base/Utf8.h"

#include <fcntl.h>
#include <locale.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>

namespace zemora {
namespace {

// Temporary names tried in a folder before giving up: each is new, so only a folder
// filling up as fast as we try runs out.
constexpr int kMaxTemporaryNames = 100;
// Room for the system's own wording of an error it has no Chinese for here.
constexpr std::size_t kMaxReasonBytes = 256;

class UniqueFd {
public:
    explicit UniqueFd(int fd = -1) : fd_(fd) {}
    ~UniqueFd()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }
    void reset(int fd)
    {
        close();
        fd_ = fd;
    }
    // Closes now and reports the result, which matters after writing (NFS, quotas).
    int close()
    {
        if (fd_ < 0)
            return 0;
        const int result = ::close(std::exchange(fd_, -1));
        return result != 0 && errno == EINTR ? 0 : result; // on Linux the fd is gone anyway
    }

private:
    int fd_;
};

// Our own wording for the reasons users meet; strerror for the rest.
const char* chineseReason(int error)
{
    for (const ErrorReason& reason : kErrorReasons)
        if (reason.error == error)
            return reason.chinese.data();
    return nullptr;
}

std::string englishReason(int error)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return cLocale ? strerror_l(error, cLocale) : "error " + std::to_string(error);
}

Failure writeFailure(const FileLabel& file, int error) { return systemFailure(kCannotWrite, file, error); }

// A failure told by one of the settings texts about a file, not by the system's reason.
Failure labelledFailure(const BilingualText& pattern, const FileLabel& file)
{
    const FileLabel text = fileFailure(pattern, file);
    return Failure(text.chinese, text.english);
}

std::string folderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Writing through a symbolic link keeps the link, as writing in place would.
std::string followLinks(const std::string& path)
{
    std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr), &std::free);
    return resolved ? std::string(resolved.get()) : path;
}

// The temporary file beside the target; removed again unless it was renamed into place.
class TemporaryFile {
public:
    TemporaryFile(const std::string& folder, mode_t mode, const FileLabel& file);
    ~TemporaryFile()
    {
        if (!path_.empty()) {
            fd_.close();
            ::unlink(path_.c_str());
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int fd() const { return fd_.get(); }
    int close() { return fd_.close(); }
    const std::string& path() const { return path_; }
    void release() { path_.clear(); }

private:
    UniqueFd fd_;
    std::string path_;
};

TemporaryFile::TemporaryFile(const std::string& folder, mode_t mode, const FileLabel& file)
{
    // Hidden and not ending in ".url", so one left by a crash is never listed as a favorite.
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < kMaxTemporaryNames; ++attempt) {
        std::string candidate =
            folder + "/.favorite-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp";
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, mode);
        if (fd >= 0) {
            fd_.reset(fd);
            path_ = std::move(candidate);
            return;
        }
        if (errno != EEXIST)
            throw writeFailure(file, errno);
    }
    throw writeFailure(file, EEXIST);
}

// Only root may give a file to another owner; otherwise the new file stays ours.
void keepOwnerIfAllowed(int fd, const struct stat& previous)
{
    if (previous.st_uid != ::geteuid() || previous.st_gid != ::getegid()) {
        [[maybe_unused]] const int ignored = ::fchown(fd, previous.st_uid, previous.st_gid);
    }
}

void writeAll(int fd, std::string_view content, const FileCalls& calls, const FileLabel& file)
{
    while (!content.empty()) {
        const ssize_t count = calls.write(fd, content.data(), content.size());
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            throw writeFailure(file, errno);
        if (count == 0)
            throw writeFailure(file, ENOSPC);
        content.remove_prefix(static_cast<std::size_t>(count));
    }
}

// Makes the rename itself durable. A failure here is not reported: the folder then holds
// the old file or the new one, each complete.
void syncFolder(const std::string& folder)
{
    UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd)
        ::fsync(fd.get());
}

} // namespace

FileLabel fileLabel(const BilingualText& kind, std::string_view name)
{
    // Names on disk are bytes; messages must be UTF-8.
    const std::string shown = replaceInvalidUtf8(name);
    return {std::string(kind.chinese) + "“" + shown + "”", std::string(kind.english) + " \"" + shown + "\""};
}

FileLabel fileFailure(const BilingualText& pattern, const FileLabel& file)
{
    return {fill(pattern.chinese, {{"file", file.chinese}}), fill(pattern.english, {{"file", file.english}})};
}

namespace {

FileLabel systemError(const BilingualText& doing, const FileLabel& file, int error)
{
    std::string chinese = std::string(doing.chinese) + file.chinese + "：";
    if (const char* reason = chineseReason(error)) {
        chinese += reason;
    } else {
        char buffer[kMaxReasonBytes];
        chinese += strerror_r(error, buffer, sizeof buffer);
    }
    return {chinese, std::string(doing.english) + " " + file.english + ": " + englishReason(error)};
}

} // namespace

std::string systemErrorMessage(const BilingualText& doing, const FileLabel& file, int error)
{
    const FileLabel text = systemError(doing, file, error);
    return bilingual(text.chinese, text.english);
}

Failure systemFailure(const BilingualText& doing, const FileLabel& file, int error)
{
    const FileLabel text = systemError(doing, file, error);
    return Failure(text.chinese, text.english);
}

std::optional<SmallFile> readSmallFileIfExists(const std::string& path, const FileLabel& file)
{
    SmallFileRead read = readSmallRegularFile(path, kMaxSmallFileSize);
    switch (read.outcome) {
    case SmallFileRead::Outcome::Read: return SmallFile{std::move(read.bytes), read.status};
    case SmallFileRead::Outcome::Missing: return std::nullopt;
    case SmallFileRead::Outcome::CannotOpen: throw systemFailure(kCannotOpen, file, read.error);
    case SmallFileRead::Outcome::NotRegular: throw labelledFailure(kNotARegularFile, file);
    case SmallFileRead::Outcome::TooLarge: throw labelledFailure(kFileTooLarge, file);
    case SmallFileRead::Outcome::CannotRead: throw systemFailure(kCannotRead, file, read.error);
    }
    throw systemFailure(kCannotRead, file, EIO); // not reached: the switch covers every outcome
}

SmallFile readSmallFile(const std::string& path, const FileLabel& file)
{
    if (auto result = readSmallFileIfExists(path, file))
        return std::move(*result);
    throw systemFailure(kCannotOpen, file, ENOENT);
}

void replaceFile(const std::string& path, std::string_view content, const struct stat* previous, const FileLabel& file,
                 const FileCalls& calls)
{
    const std::string target = followLinks(path);
    TemporaryFile temporary(folderOf(target), previous ? 0600 : 0666, file);
    if (previous) {
        keepOwnerIfAllowed(temporary.fd(), *previous);
        if (::fchmod(temporary.fd(), previous->st_mode & 07777) != 0)
            throw writeFailure(file, errno);
    }
    writeAll(temporary.fd(), content, calls, file);
    if (calls.fsync(temporary.fd()) != 0 || temporary.close() != 0)
        throw writeFailure(file, errno);
    if (calls.rename(temporary.path().c_str(), target.c_str()) != 0)
        throw writeFailure(file, errno);
    temporary.release();
    syncFolder(folderOf(target));
}

} // namespace zemora
