#pragma once
// File helpers for tests: a private temporary folder per test, whole-file
// reads and writes, and a locale switch that is undone afterwards.
#include <locale.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>
#include <string>

namespace zemora::test {

class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "zemora-test-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

inline void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::set<std::string> folderEntries(const std::string& folder)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// How many files this process holds open, to catch descriptors left behind.
inline std::size_t openFileCount() { return folderEntries("/proc/self/fd").size(); }

// Switches LC_ALL for one scope; active() is false when the locale is not installed.
class ScopedLocale {
public:
    explicit ScopedLocale(const char* name)
        : previous_(::setlocale(LC_ALL, nullptr)),
          active_(::setlocale(LC_ALL, name) != nullptr)
    {
    }
    ~ScopedLocale() { ::setlocale(LC_ALL, previous_.c_str()); }
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;

    bool active() const { return active_; }

private:
    std::string previous_;
    bool active_;
};

} // namespace zemora::test
