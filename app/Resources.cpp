#include "app/Resources.h"

#include <wx/image.h>

namespace zemora {

namespace {

// A portal badge: drawn at its own size and scaled to the picture size, rendered only
// when a size is asked for.
class BadgeBundle : public wxBitmapBundleImpl {
public:
    explicit BadgeBundle(const char* svg) : svg_(wxBitmapBundle::FromSVG(svg, kBadgeSize)) {}

    wxSize GetDefaultSize() const override { return kPictureSize; }
    wxSize GetPreferredBitmapSizeAtScale(double scale) const override
    {
        return kPictureSize * scale;
    }
    wxBitmap GetBitmap(const wxSize& size) override
    {
        const double scale = static_cast<double>(size.y) / kPictureSize.y;
        wxImage image = svg_.GetBitmap(kBadgeSize * scale).ConvertToImage();
        image.Rescale(size.x, size.y, wxIMAGE_QUALITY_HIGH);
        return wxBitmap(image);
    }

private:
    wxBitmapBundle svg_;
};

bool isBadge(int index) { return index >= 5 && index <= 10; }

} // namespace

std::vector<wxBitmapBundle> toolbarPictures()
{
    std::vector<wxBitmapBundle> pictures;
    pictures.reserve(static_cast<std::size_t>(embedded::pictureCount));
    for (int i = 0; i < embedded::pictureCount; ++i) {
        const char* svg = embedded::pictureSvgs[i];
        pictures.push_back(isBadge(i) ? wxBitmapBundle::FromImpl(new BadgeBundle(svg))
                                      : wxBitmapBundle::FromSVG(svg, kPictureSize));
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
