// Adding a favorite: the dialog settles the file, ProfileSaveItem writes its URL key.
#include <wx/textctrl.h>

#include "app/Form1.h"
#include "app/WxText.h"
#include "favorites/CodePage.h"
#include "favorites/IniFile.h"
#include "favorites/ShortcutFile.h"

namespace zemora {

namespace {

// Text in the code page and back: what a file in that code page keeps of it.
wxString throughCodePage(const std::string& utf8, std::string& ansi)
{
    ansi = utf8ToAnsi(utf8);
    return wxString::FromUTF8(ansiToUtf8(ansi));
}

} // namespace

void Form1::AddToFavorites(const wxString& name, const wxString& address)
{
    const std::optional<AddFavoriteChoice> choice = seams_.addFavoriteDialog(this, name, favoritesFolderOrFail());
    if (!choice)
        return;
    wxString section = wxText(kShortcutSection);
    wxString key = wxText(kShortcutUrlKey);
    wxString value = address;
    std::string path = choice->path;
    ProfileSaveItem(section, key, value, path);
    Text1->ChangeValue(choice->name);
    // The new favorite can be chosen at once, without waiting for the folder's watch.
    RefreshFavoritesList();
}

void Form1::ProfileSaveItem(wxString& lpSectionName, wxString& lpKeyName, wxString& lpValue, std::string& iniFile)
{
    // Characters the code page cannot carry would be lost from the address: they are
    // percent-encoded first, as browsers do, so the stored address opens the same page.
    const std::string encodedValue = percentEncodeUnrepresentable(std::string(lpValue.utf8_str()));
    std::string section, key, value;
    lpSectionName = throughCodePage(std::string(lpSectionName.utf8_str()), section);
    lpKeyName = throughCodePage(std::string(lpKeyName.utf8_str()), key);
    lpValue = throughCodePage(encodedValue, value);
    // The path is the file system's bytes already; it needs no conversion.
    writeIniValue(iniFile, section, key, value);
}

} // namespace zemora
