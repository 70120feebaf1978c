// Files handed to the desktop: opened with its program for them, or shown in its file
// manager.
#include "app/gtk/Desktop.h"

#include <string>

#include <wx/utils.h>

#ifdef __WXGTK__
#include <gtk/gtk.h>
#endif

namespace zemora {

#ifdef __WXGTK__

void openWithDesktop(const std::string& path)
{
    gchar* uri = g_filename_to_uri(path.c_str(), nullptr, nullptr);
    if (uri)
        g_app_info_launch_default_for_uri(uri, nullptr, nullptr);
    g_free(uri);
}

void showInFileManager(const std::string& path)
{
    // The desktop's file manager, asked on the session bus, chooses the file in its folder.
    gchar* uri = g_filename_to_uri(path.c_str(), nullptr, nullptr);
    GDBusConnection* bus = uri ? g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr) : nullptr;
    const gchar* uris[] = {uri, nullptr};
    GVariant* answer =
        bus ? g_dbus_connection_call_sync(
            bus, "org.freedesktop.FileManager1", "/org/freedesktop/FileManager1", "org.freedesktop.FileManager1",
            "ShowItems", g_variant_new("(^ass)", uris, ""), nullptr, G_DBUS_CALL_FLAGS_NONE, -1, nullptr, nullptr)
            : nullptr;
    if (answer) {
        g_variant_unref(answer);
    } else {
        gchar* folder = g_path_get_dirname(path.c_str());
        openWithDesktop(folder);
        g_free(folder);
    }
    if (bus)
        g_object_unref(bus);
    g_free(uri);
}

#else

void openWithDesktop(const std::string& path) { wxLaunchDefaultApplication(wxString::FromUTF8(path)); }

void showInFileManager(const std::string& path)
{
    wxLaunchDefaultApplication(wxString::FromUTF8(path.substr(0, path.rfind('/'))));
}

#endif

} // namespace zemora
