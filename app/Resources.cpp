#include "app/Resources.h"

#include <wx/image.h>

namespace zemora {

namespace {

bool isBadge(int index) { return index >= 5 && index <= 10; }

wxBitmap renderPicture(int index, double scale)
{
    const wxSize target(wxRound(kPictureSize.x * scale), wxRound(kPictureSize.y * scale));
    const auto svg = wxBitmapBundle::FromSVG(embedded::pictureSvgs[index], kPictureSize);
    if (!isBadge(index))
        return svg.GetBitmap(target);
    const wxSize drawn(wxRound(kBadgeSize.x * scale), wxRound(kBadgeSize.y * scale));
    wxImage image = wxBitmapBundle::FromSVG(embedded::pictureSvgs[index], kBadgeSize)
                        .GetBitmap(drawn)
                        .ConvertToImage();
    image.Rescale(target.x, target.y, wxIMAGE_QUALITY_HIGH);
    return wxBitmap(image);
}

} // namespace

std::vector<wxBitmapBundle> toolbarPictures()
{
    std::vector<wxBitmapBundle> pictures;
    pictures.reserve(static_cast<std::size_t>(embedded::pictureCount));
    for (int i = 0; i < embedded::pictureCount; ++i) {
        wxVector<wxBitmap> sizes;
        sizes.push_back(renderPicture(i, 1.0));
        sizes.push_back(renderPicture(i, 2.0));
        pictures.push_back(wxBitmapBundle::FromBitmaps(sizes));
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
