// The favorites drop-down: the user's Favorites folder, listed once at start-up.
#include "app/Failure.h"
#include "app/Form1.h"

namespace zemora {

void Form1::LoadFavoritesList()
{
    const std::optional<std::string> folder = seams_.favoritesFolder();
    if (!folder)
        throw Failure("无法确定收藏夹文件夹", "The Favorites folder cannot be determined");
    FavoritesPath = wxString::FromUTF8(*folder);
}

void Form1::Combo2_Click() {}

} // namespace zemora
