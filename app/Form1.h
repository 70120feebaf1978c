#pragma once
// The main window: its controls, its window-level state and every event handler.
// The handlers live beside it, one file per concern, each handing its work down a floor.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <wx/frame.h>
#include <wx/timer.h>

#include "app/AddFavoriteDialog.h"
#include "app/Controls.h"
#include "base/Addresses.h"
#include "base/Commands.h"
#include "base/Failure.h"
#include "base/Layout.h"
#include "browse/CommandLine.h"
#include "engine/HostedBrowser.h"

class wxButton;
class wxClipboardTextEvent;
class wxCloseEvent;
class wxKeyEvent;
class wxPanel;
class wxStaticText;
class wxTextCtrl;

namespace zemora {

class FolderWatch;

// The platform pieces the window stands on; fakes replace them in tests.
struct Form1Seams {
    std::function<std::unique_ptr<HostedBrowser>(wxWindow* parent)> createBrowser;
    // The user's Favorites folder, or nothing when none can be determined.
    std::function<std::optional<std::string>()> favoritesFolder;
    // Tells the user of a failure that ended a handler (UTF-8 text).
    std::function<void(const std::string& message)> reportFailure;
    // Tells the user something that is no failure (UTF-8 text).
    std::function<void(const std::string& message)> tellUser;
    // Asks the user a question that is answered yes or no (UTF-8 text).
    std::function<bool(const std::string& question)> ask;
    // Opens a saved file with the desktop's program for it, or shows it in its folder.
    std::function<void(const std::string& path)> openFile;
    std::function<void(const std::string& path)> showInFolder;
    // The add-to-favorites dialog.
    std::function<std::optional<AddFavoriteChoice>(wxWindow* owner, const wxString& name,
                                                   const std::string& favoritesFolder)>
        addFavoriteDialog;
};

// The seams of the real program.
Form1Seams platformSeams();

class Form1 : public wxFrame, public LayoutState, private LayoutHost {
public:
    explicit Form1(Form1Seams seams);
    ~Form1() override;

    // Controls, in creation order.
    wxButton* autofresh;                        // "自动刷新": auto refresh on and off
    Timer Timer1;                               // auto refresh's tick
    std::unique_ptr<ComboBox> Combo2;           // the favorites drop-down
    wxTextCtrl* Text2;                          // hidden: the shown page's address, for adding it
    wxTextCtrl* Text1;                          // hidden: the shown page's name, for adding it
    std::unique_ptr<Toolbar> Toolbar1;          // back, home, forward, refresh, stop, portals, add
    ImageList ImageList1;                       // the toolbar's pictures
    std::unique_ptr<ComboBox> Combo1;           // the address box, with the typed-address history
    wxButton* Command1;                         // "GO...": opens the address box's text
    std::unique_ptr<HostedBrowser> WebBrowser1; // the page
    wxStaticText* Label2;                       // the banner line at the bottom
    wxStaticText* Label1;                       // "Address:", the address box's label

    // Window-level state besides the layout's (CtlCount and the ratio arrays).
    wxString FavoritesPath;
    // What the load handler opens, from the command line; empty: kStartAddress.
    StartPage Start;

    // The control collection, in creation order.
    std::vector<LayoutControl*> Controls() override;
    float ScaleWidth() const override;
    float ScaleHeight() const override;

    // Event handlers.
    void Form_Load();
    void ApplyLayout(); // the Resize handler
    void Combo1_Click();
    void Combo1_KeyPress(std::int16_t& KeyAscii);
    void Command1_Click();
    void Toolbar1_ButtonClick(const ToolbarButton& Button);
    void WebBrowser1_CommandStateChange(std::int32_t Command, bool Enable);
    void WebBrowser1_DownloadComplete();
    void WebBrowser1_TitleChange(const wxString& Text);
    void WebBrowser1_StatusTextChange(const wxString& Text);
    void autofresh_Click();
    void Timer1_Timer();
    void Combo2_Click();

    // Operations.
    void LoadFavoritesList();
    // Shows an address in the address box, unless the user is typing there.
    void ShowAddress(const wxString& address);
    bool AddressBeingTyped() const;
    // Pastes into the address box without a "javascript:" in front: a page may talk the
    // user into pasting script that would run as the shown page.
    void PasteAddress(wxClipboardTextEvent& event);
    // What is dropped on the address box replaces its text; a dropped link opens.
    void DropOnAddress(const wxString& text, bool link);
    // Lists the Favorites folder again by LoadFavoritesList's rules, keeping the text in
    // the box; a folder that cannot be listed leaves the list as it is.
    void RefreshFavoritesList();
    void CaptureLayout();
    void OpenTypedAddress();
    // Writes a favorite for the address where the dialog says, unless it is cancelled.
    void AddToFavorites(const wxString& name, const wxString& address);
    // Sets one key of an INI-style file; each text comes back as the code page kept it.
    void ProfileSaveItem(wxString& lpSectionName, wxString& lpKeyName, wxString& lpValue, std::string& iniFile);

    // Runs one event handler to its end; a failure ends it and is reported, never more.
    void runHandler(const std::function<void()>& handler);

    // The window's keys and page tools (Keys.cpp, PageTools.cpp).
    // Runs what kKeyBindings binds to the key; false when it binds nothing.
    bool KeyDown(const wxKeyEvent& key);
    // Does what a toolbar button or a key asks for (Toolbar.cpp); `address` for OpenPortal.
    void run(Command command, std::string_view address = {});
    void FocusAddress();
    void ShowFind();
    void ShowDownloads();
    // Walks the zoom steps (1 in, -1 out); 0 back to the page's own size.
    void ZoomBy(int steps);
    class FindDialog* findDialog() const { return findDialog_; }
    class DownloadsDialog* downloadsDialog() const { return downloadsDialog_; }
    wxWindow* loadingSign() const { return loadingSign_; }

private:
    void createControls();
    void createToolbar();
    // What assistive tools are told of the controls beyond what they tell themselves.
    void describeControls();
    // The image list's picture size in the window's pixels.
    wxSize pictureSize() const;
    // Draws the toolbar's pictures at the image size, or smaller where the toolbar is too
    // low for it.
    void fitToolbarPictures();
    void setTabOrder();
    void wireEvents();
    void wireKeys();
    void addPageTools();

    void addCurrentPage();
    // Navigates; the page takes the focus as the load begins.
    void readPageOnLoad(const std::function<void()>& navigate);
    bool pageFocusDue_ = false;
    // Reloads the page for a tick that fell due, unless a load is still under way.
    void refreshIfDue(bool evenWhileLoading = false);
    bool refreshDue_ = false;
    // The Favorites folder; Failure when none can be determined, for listing and adding alike.
    std::string favoritesFolderOrFail() const;
    // The address of Start; a shortcut file that cannot be read fails as a chosen favorite does.
    wxString startAddress() const;
    // The file of the favorite at a list position, as the file system spells it.
    std::string favoriteFile(int position) const;

    Form1Seams seams_;
    // What the address box was last given, to tell the user's own typing from it.
    wxString addressShown_;
    // FavoritesPath and the listed names, as the file system spells them.
    std::string favoritesFolder_;
    std::vector<std::string> favoriteFiles_;
    // The Favorites folder and its sub-folders are watched; a change lists them again
    // once the burst of changes has settled, and not while the list is dropped down.
    void wireFavoritesWatch();
    // True when a folder is watched that was not before.
    bool watchFavorites(const std::vector<std::string>& folders);
    void favoritesChanged();
    std::unique_ptr<FolderWatch> favoritesWatch_;
    wxTimer favoritesSettle_;
    bool favoritesDroppedDown_ = false;
    bool favoritesStale_ = false;
    wxPanel* inner_;
    TwipScale scale_;
    std::vector<std::unique_ptr<LayoutControl>> entries_;
    std::vector<LayoutControl*> collection_;
    class FindDialog* findDialog_ = nullptr;
    class DownloadsDialog* downloadsDialog_ = nullptr;
    // The banner line tells of downloads: a click on it opens their list.
    bool bannerTellsDownloads_ = false;
    // Closing asks first while downloads run.
    void askBeforeClosing(wxCloseEvent& event);
    wxWindow* loadingSign_ = nullptr;
};

} // namespace zemora
