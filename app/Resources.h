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

// The pictures' size: 40 by 42 pixels in twips, 15 to the pixel, so they follow the
// resolution text is drawn at as the rest of the layout does.
inline constexpr float kPictureTwipsWide = 600;
inline constexpr float kPictureTwipsHigh = 630;

// The thirteen pictures of the image list, numbered from 1 by callers (index 0 here),
// drawn from their sources at this size in the window's pixels.
std::vector<wxBitmapBundle> toolbarPictures(const wxSize& size);
wxIconBundle programIcon();

} // namespace zemora
