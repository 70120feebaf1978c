#pragma once
// Toolbar pictures and the program icon, drawn from SVG sources compiled into the program.
#include <vector>

#include <wx/bmpbndl.h>
#include <wx/iconbndl.h>

namespace zemora {

namespace embedded {
extern const char* const iconSvg;
extern const char* const pictureSvgs[];
extern const int pictureCount;
} // namespace embedded

inline const wxSize kPictureSize{40, 42};
// Portal badges are drawn at this size and scaled to the picture size.
inline const wxSize kBadgeSize{74, 55};

// The thirteen pictures of the image list, numbered from 1 by callers (index 0 here).
std::vector<wxBitmapBundle> toolbarPictures();
wxIconBundle programIcon();

} // namespace zemora
