// Folders watched for names that come, go or are renamed. GIO's monitor rather than the
// toolkit's wxFileSystemWatcher: the Favorites folder may not exist yet, and a monitor of
// GIO waits for it to come, where the toolkit's refuses a missing path.
#include "app/gtk/FolderWatch.h"

#include <utility>

#ifdef __WXGTK__
#include <gtk/gtk.h>
#endif

namespace zemora {

#ifdef __WXGTK__

namespace {

void onFolderChanged(GFileMonitor*, GFile*, GFile*, GFileMonitorEvent event, gpointer changed)
{
    switch (event) {
    case G_FILE_MONITOR_EVENT_CREATED:
    case G_FILE_MONITOR_EVENT_DELETED:
    case G_FILE_MONITOR_EVENT_MOVED:
    case G_FILE_MONITOR_EVENT_MOVED_IN:
    case G_FILE_MONITOR_EVENT_MOVED_OUT:
    case G_FILE_MONITOR_EVENT_RENAMED: (*static_cast<std::function<void()>*>(changed))(); break;
    default: // content and attributes: the list shows names only
        break;
    }
}

void stopMonitor(void* monitor, std::function<void()>* changed)
{
    g_signal_handlers_disconnect_by_data(monitor, changed);
    g_file_monitor_cancel(G_FILE_MONITOR(monitor));
    g_object_unref(monitor);
}

} // namespace

FolderWatch::~FolderWatch()
{
    for (const auto& [path, monitor] : monitors_)
        stopMonitor(monitor, &changed_);
}

bool FolderWatch::watch(const std::vector<std::string>& folders)
{
    bool added = false;
    std::map<std::string, void*> kept;
    for (const std::string& folder : folders) {
        if (kept.count(folder))
            continue;
        if (const auto old = monitors_.find(folder); old != monitors_.end()) {
            kept.insert(*old);
            monitors_.erase(old);
            continue;
        }
        GFile* file = g_file_new_for_path(folder.c_str());
        GFileMonitor* monitor = g_file_monitor_directory(file, G_FILE_MONITOR_WATCH_MOVES, nullptr, nullptr);
        g_object_unref(file);
        if (!monitor)
            continue; // unwatched, the list still follows our own changes
        g_signal_connect(monitor, "changed", G_CALLBACK(onFolderChanged), &changed_);
        kept.emplace(folder, monitor);
        added = true;
    }
    for (const auto& [path, monitor] : monitors_)
        stopMonitor(monitor, &changed_);
    monitors_ = std::move(kept);
    return added;
}

#else

// Without a native watch the list follows only the changes made here.
FolderWatch::~FolderWatch() = default;

bool FolderWatch::watch(const std::vector<std::string>&) { return false; }

#endif

} // namespace zemora
