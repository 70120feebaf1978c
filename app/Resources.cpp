#include "app/Resources.h"

#include <regex>
#include <string>

#include "base/Commands.h"

namespace zemora {

namespace {

// Portal badges are drawn at 74 by 55 and stretched to the picture size. Picture n (from
// 0) is the toolbar's slot n + 1.
bool isBadge(std::size_t index)
{
    return index < kToolbarButtons.size() && kToolbarButtons[index].command == Command::OpenPortal;
}

// The document with its root spanning this size and its drawing stretched to fill it: the
// bundle keeps a document's proportions, and a badge is shown at the picture's.
std::string stretchedSvg(const std::string& svg, const wxSize& size)
{
    std::smatch root;
    if (!std::regex_search(svg, root, std::regex("<svg\\b[^>]*>")))
        return svg;
    // The drawing keeps its own coordinates (viewBox); only the size it is shown at and
    // how it fills that size change.
    static const std::regex sizeOrRatio("\\s(width|height|preserveAspectRatio)\\s*=\\s*(\"[^\"]*\"|'[^']*')");
    std::string tag = std::regex_replace(root.str(), sizeOrRatio, "");
    tag.insert(4, " width=\"" + std::to_string(size.x) + "\" height=\"" + std::to_string(size.y)
                      + "\" preserveAspectRatio=\"none\"");
    return root.prefix().str() + tag + root.suffix().str();
}

} // namespace

std::vector<wxBitmapBundle> toolbarPictures(const wxSize& size)
{
    std::vector<wxBitmapBundle> pictures;
    pictures.reserve(static_cast<std::size_t>(embedded::pictureCount));
    for (int i = 0; i < embedded::pictureCount; ++i) {
        const char* svg = embedded::pictureSvgs[i];
        // Rendered from the vector source at whatever size is asked for: no bitmap is
        // ever scaled, so the pictures stay sharp at every text scale.
        pictures.push_back(isBadge(static_cast<std::size_t>(i))
                               ? wxBitmapBundle::FromSVG(stretchedSvg(svg, size).c_str(), size)
                               : wxBitmapBundle::FromSVG(svg, size));
    }
    return pictures;
}

wxIconBundle programIcon()
{
    const auto svg = wxBitmapBundle::FromSVG(embedded::iconSvg, wxSize(32, 32));
    wxIconBundle icons;
    for (int size : {16, 32}) {
        wxIcon icon;
        icon.CopyFromBitmap(svg.GetBitmap(wxSize(size, size)));
        icons.AddIcon(icon);
    }
    return icons;
}

} // namespace zemora
