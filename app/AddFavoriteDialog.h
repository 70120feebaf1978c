#pragma once
// The add-to-favorites dialog: given an owner, a proposed name and the Favorites folder,
// the user confirms or edits the name and picks the folder (the Favorites folder or one of
// its subfolders) to create the shortcut in.
#include <functional>
#include <optional>
#include <string>

#include <wx/dialog.h>
#include <wx/string.h>
#include <wx/treebase.h>

class wxButton;
class wxTextCtrl;
class wxTreeCtrl;
class wxWindow;

namespace zemora {

struct AddFavoriteChoice {
    std::string path; // full path of the .url file to write: folder + "/" + name + ".url"
    wxString name;    // the name as the user left it
};

// Shows the dialog modally; nullopt when the user cancels.
std::optional<AddFavoriteChoice> showAddFavoriteDialog(wxWindow* owner, const wxString& name,
                                                       const std::string& favoritesFolder);

// The dialog itself; showAddFavoriteDialog runs it modally. Tests drive it directly.
class AddFavoriteDialog : public wxDialog {
public:
    AddFavoriteDialog(wxWindow* owner, const wxString& name, const std::string& favoritesFolder);

    // Where the dialog talks to the user outside itself; message boxes by default.
    std::function<void(const wxString&)> tell;              // a refusal or a failure
    std::function<bool(const wxString&)> askReplace;        // true: replace the file
    std::function<std::optional<wxString>()> askFolderName; // nullopt: not now

    // Set once "确定" has been accepted.
    const std::optional<AddFavoriteChoice>& choice() const { return choice_; }

    wxTextCtrl* nameField() const { return nameField_; }
    wxTreeCtrl* folderTree() const { return folderTree_; }
    wxButton* newFolderButton() const { return newFolderButton_; }
    wxButton* okButton() const { return okButton_; }
    // The folder an item of the tree stands for, as the file system spells it.
    const std::string& folderPath(const wxTreeItemId& item) const;

private:
    void fillTree(const wxTreeItemId& parent, const std::string& folder, int depth);
    wxTreeItemId addFolderItem(const wxTreeItemId& parent, const std::string& name, const std::string& path);
    wxTreeItemId selectedFolder() const;
    void updateOkButton();
    void makeNewFolder();
    void confirm();
    void close(int code);

    wxTextCtrl* nameField_ = nullptr;
    wxTreeCtrl* folderTree_ = nullptr;
    wxButton* newFolderButton_ = nullptr;
    wxButton* okButton_ = nullptr;
    std::optional<AddFavoriteChoice> choice_;
};

} // namespace zemora
