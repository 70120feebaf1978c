#pragma once
// Folders watched for names that come, go or are renamed.
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace zemora {

// Tells `changed` when a name in one of the watched folders comes, goes or is renamed
// (not when a file's content changes). A folder that does not exist yet is watched for
// its coming. Watching ends with the object.
class FolderWatch {
public:
    explicit FolderWatch(std::function<void()> changed) : changed_(std::move(changed)) {}
    ~FolderWatch();
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    // Watches exactly these folders from now on; true when one was not watched before.
    bool watch(const std::vector<std::string>& folders);

private:
    std::function<void()> changed_;
    std::map<std::string, void*> monitors_; // by path
};

} // namespace zemora
