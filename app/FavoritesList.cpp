// The favorites drop-down: the user's Favorites folder, listed once at start-up, and
// opening the favorite chosen from it.
#include <wx/combobox.h>

#include "base/Failure.h"
#include "app/Form1.h"
#include "favorites/FavoritesFolder.h"
#include "favorites/ShortcutFile.h"
#include "favorites/Utf8.h"

namespace zemora {

namespace {

// File names are bytes; one that is no valid UTF-8 still shows, with "?" for the rest.
wxString displayName(const std::string& name)
{
    return wxString::FromUTF8(replaceInvalidUtf8(name));
}

} // namespace

void Form1::LoadFavoritesList()
{
    favoritesFolder_ = favoritesFolderOrFail();
    FavoritesPath = displayName(favoritesFolder_);

    std::vector<std::string> names;
    try {
        names = listShortcutFiles(favoritesFolder_);
    } catch (const Failure& failure) {
        // An unreadable folder costs the list, not the window's layout or its first page.
        seams_.reportFailure(failure.what());
        return;
    }
    if (names.empty())
        return;
    Combo2->Clear();
    std::vector<wxString> entries;
    entries.reserve(names.size());
    for (const std::string& name : names)
        entries.push_back(displayName(name));
    Combo2->AddItems(entries);
    favoriteFiles_ = std::move(names);
}

std::string Form1::favoritesFolderOrFail() const
{
    const std::optional<std::string> folder = seams_.favoritesFolder();
    if (!folder)
        throw Failure(kNoFavoritesFolder);
    return *folder;
}

std::string Form1::favoriteFile(int position) const
{
    if (position >= 0 && position < static_cast<int>(favoriteFiles_.size()) &&
        Combo2->List(position) == Combo2->Text())
        return favoriteFiles_[static_cast<std::size_t>(position)];
    return std::string(Combo2->Text().utf8_str());
}

void Form1::Combo2_Click()
{
    const std::string path = favoritesFolder_ + "/" + favoriteFile(Combo2->Window()->GetSelection());
    const std::string address = readShortcutAddress(path);
    ShowAddress(wxString::FromUTF8(address));
    WebBrowser1->NavigateTo(Combo1->Text());
}

} // namespace zemora
