// The favorites drop-down: the user's Favorites folder and its sub-folders, listed at
// start-up and again whenever the folder changes, and opening the favorite chosen from it.
#include <wx/combobox.h>

#include "app/Form1.h"
#include "app/WxText.h"
#include "app/gtk/FolderWatch.h"
#include "base/Failure.h"
#include "base/Limits.h"
#include "base/Paths.h"
#include "base/Texts.h"
#include "base/Utf8.h"
#include "favorites/FavoritesFolder.h"
#include "favorites/ShortcutFile.h"

namespace zemora {

namespace {

// File names are bytes; one that is no valid UTF-8 still shows, with "?" for the rest.
wxString displayName(const std::string& name) { return wxString::FromUTF8(replaceInvalidUtf8(name)); }

std::vector<wxString> displayNames(const std::vector<std::string>& names)
{
    std::vector<wxString> entries;
    entries.reserve(names.size());
    for (const std::string& name : names)
        entries.push_back(displayName(name));
    return entries;
}

} // namespace

void Form1::LoadFavoritesList()
{
    favoritesFolder_ = favoritesFolderOrFail();
    FavoritesPath = displayName(favoritesFolder_);

    FavoritesListing listing;
    try {
        listing = listFavorites(favoritesFolder_);
    } catch (const Failure& failure) {
        // An unreadable folder costs the list, not the window's layout or its first page.
        watchFavorites({});
        seams_.reportFailure(failure.what());
        return;
    }
    watchFavorites(listing.folders);
    if (listing.entries.empty())
        return;
    Combo2->Clear();
    Combo2->AddItems(displayNames(listing.entries));
    favoriteFiles_ = std::move(listing.entries);
}

void Form1::RefreshFavoritesList()
{
    if (favoritesFolder_.empty())
        return; // start-up found no folder to list
    FavoritesListing listing;
    try {
        listing = listFavorites(favoritesFolder_);
    } catch (const Failure&) {
        return; // start-up told of it; a change nobody asked for tells nothing
    }
    // Files that came into a new sub-folder before its watch began are listed on a second look.
    if (watchFavorites(listing.folders))
        favoritesChanged();
    if (listing.entries == favoriteFiles_)
        return;
    Combo2->SetItems(displayNames(listing.entries));
    // Start-up clears the prompt along with the list; typed or chosen text stays.
    if (!listing.entries.empty() && Combo2->Text() == wxText(kFavoritesPrompt))
        Combo2->SetText({});
    favoriteFiles_ = std::move(listing.entries);
}

void Form1::wireFavoritesWatch()
{
    favoritesWatch_ = std::make_unique<FolderWatch>([this] { favoritesChanged(); });
    favoritesSettle_.SetOwner(this, wxWindow::NewControlId());
    Bind(
        wxEVT_TIMER,
        [this](wxTimerEvent&) {
            if (favoritesDroppedDown_)
                return; // the list's closing starts the wait again
            favoritesStale_ = false;
            runHandler([this] { RefreshFavoritesList(); });
        },
        favoritesSettle_.GetId());
    // The entries are not swapped under the pointer of someone choosing one.
    Combo2->Window()->Bind(wxEVT_COMBOBOX_DROPDOWN, [this](wxCommandEvent& event) {
        event.Skip();
        favoritesDroppedDown_ = true;
    });
    Combo2->Window()->Bind(wxEVT_COMBOBOX_CLOSEUP, [this](wxCommandEvent& event) {
        event.Skip();
        favoritesDroppedDown_ = false;
        if (favoritesStale_)
            favoritesChanged();
    });
}

bool Form1::watchFavorites(const std::vector<std::string>& folders)
{
    // The folder itself even while missing: it may come.
    std::vector<std::string> paths{favoritesFolder_};
    for (const std::string& folder : folders)
        if (!folder.empty())
            paths.push_back(joinPath(favoritesFolder_, folder));
    return favoritesWatch_->watch(paths);
}

void Form1::favoritesChanged()
{
    // A burst of changes (a folder copied in) is listed once it settles.
    favoritesStale_ = true;
    if (!favoritesSettle_.IsRunning() && !favoritesDroppedDown_)
        favoritesSettle_.StartOnce(kFavoritesSettleTime);
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
    if (position >= 0 && position < static_cast<int>(favoriteFiles_.size()) && Combo2->List(position) == Combo2->Text())
        return favoriteFiles_[static_cast<std::size_t>(position)];
    return std::string(Combo2->Text().utf8_str());
}

void Form1::Combo2_Click()
{
    const std::string path = joinPath(favoritesFolder_, favoriteFile(Combo2->Window()->GetSelection()));
    ShowAddress(wxString::FromUTF8(readShortcutAddress(path)));
    WebBrowser1->NavigateTo(Combo1->Text().utf8_string());
}

} // namespace zemora
