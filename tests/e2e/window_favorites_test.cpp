// Favorites on the real engine: a shortcut from the Favorites folder opens its page, and a
// loaded page is added through the real dialog.
#include <filesystem>
#include <fstream>

#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/textctrl.h>

#include "base/Commands.h"
#include "base/Texts.h"
#include "favorites/FavoritesFolder.h"
#include "tests/support/RealFormFixture.h"
#include "tests/support/UserActions.h"

using namespace zemora;
using namespace zemora::test;
namespace fs = std::filesystem;

namespace {

class WindowFavorites : public RealFormFixture {
protected:
    Form1Seams seams() override
    {
        Form1Seams s = RealFormFixture::seams();
        s.favoritesFolder = [] { return favoritesFolderFromEnvironment(); };
        // The real dialog, driven as the user would: the name edited, then "确定".
        s.addFavoriteDialog = [this](wxWindow* owner, const wxString& name, const std::string& folder) {
            AddFavoriteDialog dialog(owner, name, folder);
            proposedName = dialog.nameField()->GetValue();
            dialog.nameField()->SetValue(typedName);
            clickButton(dialog.okButton());
            return dialog.choice();
        };
        return s;
    }

    void SetUp() override
    {
        // The user's own settings name the folder.
        fs::create_directories(testHome() / ".config");
        std::ofstream(testHome() / ".config/user-dirs.dirs") << "XDG_FAVORITES_DIR=\"$HOME/Lesezeichen\"\n";
        folder = testHome() / "Lesezeichen";
        fs::remove_all(folder);
        fs::create_directories(folder);
        server.page("/fav.html", "Favorite Page");
        std::ofstream(folder / "site.url", std::ios::binary)
            << "[DEFAULT]\nBASEURL=http://127.0.0.1:1/\n[InternetShortcut]\nURL=" << server.url("/fav.html") << "\n";
        RealFormFixture::SetUp();
    }

    fs::path folder;
    wxString typedName = "Saved Page";
    wxString proposedName;
};

} // namespace

TEST_F(WindowFavorites, ChosenFavoriteOpensItsPage)
{
    handle(&Form1::Form_Load);
    ASSERT_EQ(form->Combo2->ListCount(), 1);
    EXPECT_EQ(form->Combo2->List(0), "site.url");

    chooseFromList(form->Combo2->Window(), 0);

    EXPECT_TRUE(runEventsUntil([&] { return form->GetTitle() == "Favorite Page" + wxText(kTitleSuffix); }));
    EXPECT_EQ(form->Combo1->Text(), server.url("/fav.html"));
    EXPECT_TRUE(reports.empty());
}

TEST_F(WindowFavorites, LoadedPageIsAddedThroughTheDialog)
{
    handle(&Form1::Form_Load);
    form->Combo1->SetText(server.url("/fav.html"));
    clickButton(form->Command1);
    ASSERT_TRUE(runEventsUntil([&] { return form->Text1->GetValue() == "Favorite Page"; }));

    clickTool(form->Toolbar1->Window(), slotOf("add"));
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(proposedName, "Favorite Page");
    std::ifstream in(folder / "Saved Page.url", std::ios::binary);
    const std::string written{std::istreambuf_iterator<char>(in), {}};
    EXPECT_EQ(written, "[InternetShortcut]\r\nURL=" + server.url("/fav.html") + "\r\n");
    EXPECT_EQ(form->Text1->GetValue(), "Saved Page");
}
