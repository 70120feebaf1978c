#pragma once
// Files handed to the desktop.
#include <string>

namespace zemora {

// Opens a file with the desktop's program for its kind.
void openWithDesktop(const std::string& path);
// Shows a file in the desktop's file manager, chosen in its folder; or the folder alone
// where the file manager cannot be asked to choose it.
void showInFileManager(const std::string& path);

} // namespace zemora
