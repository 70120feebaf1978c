// The add-to-favorites dialog, driven through its controls without a modal loop.
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/textctrl.h>
#include <wx/treectrl.h>

#include "app/AddFavoriteDialog.h"
#include "tests/support/TestEnvironment.h"

using namespace zemora;
namespace fs = std::filesystem;
using Names = std::vector<wxString>;

namespace {

wxString u8(const char* text) { return wxString::FromUTF8(text); }

void click(wxWindow* button)
{
    wxCommandEvent event(wxEVT_BUTTON, button->GetId());
    event.SetEventObject(button);
    button->ProcessWindowEvent(event);
}

class AddFavoriteDialogWindow : public testing::Test {
protected:
    void SetUp() override
    {
        static int count = 0;
        base = test::testHome().string() + "/add-favorite-" + std::to_string(++count);
        fs::create_directories(favorites = base + "/Favorites");
    }
    void TearDown() override
    {
        if (dialog)
            dialog->Destroy();
        test::runPendingEvents();
    }

    void open(const wxString& name, const std::string& folder = {})
    {
        if (dialog)
            dialog->Destroy();
        dialog = new AddFavoriteDialog(nullptr, name, folder.empty() ? favorites : folder);
        dialog->tell = [this](const wxString& message) { told.push_back(message); };
        dialog->askReplace = [this](const wxString& question) { return questions.push_back(question), replace; };
        dialog->askFolderName = [this] { return folderName; };
        dialog->Show();
    }

    // The tree item reached from the root through the given folder names.
    wxTreeItemId item(const Names& path)
    {
        wxTreeCtrl* tree = dialog->folderTree();
        wxTreeItemId at = tree->GetRootItem();
        for (const wxString& name : path) {
            wxTreeItemIdValue cookie;
            at = tree->GetFirstChild(at, cookie);
            while (at.IsOk() && tree->GetItemText(at) != name)
                at = tree->GetNextSibling(at);
        }
        return at;
    }
    Names children(const Names& path = {})
    {
        wxTreeCtrl* tree = dialog->folderTree();
        Names texts;
        wxTreeItemIdValue cookie;
        for (auto c = tree->GetFirstChild(item(path), cookie); c.IsOk(); c = tree->GetNextSibling(c))
            texts.push_back(tree->GetItemText(c));
        return texts;
    }
    void choose(const Names& path) { dialog->folderTree()->SelectItem(item(path)); }

    void expectStillOpen()
    {
        EXPECT_TRUE(dialog->IsShown());
        EXPECT_FALSE(dialog->choice());
    }
    void expectChose(const std::string& path, const wxString& name)
    {
        ASSERT_TRUE(dialog->choice());
        EXPECT_EQ(dialog->choice()->path, path);
        EXPECT_EQ(dialog->choice()->name, name);
        EXPECT_FALSE(dialog->IsShown());
    }

    std::string base, favorites;
    AddFavoriteDialog* dialog = nullptr;
    Names told, questions;
    bool replace = false;
    std::optional<wxString> folderName;
};

} // namespace

TEST_F(AddFavoriteDialogWindow, OffersTheNameAndTheFolderTreeWithoutHiddenFoldersOrLinks)
{
    fs::create_directories(favorites + "/新闻/体育");
    fs::create_directories(favorites + "/.cache/inner");
    fs::create_directories(favorites + "/Apps");
    std::ofstream(favorites + "/搜狐.url") << "[InternetShortcut]\n";
    fs::create_directory_symlink(".", favorites + "/loop");
    fs::create_directory_symlink("..", favorites + "/新闻/up");

    open(u8("新浪首页"));
    EXPECT_EQ(dialog->GetTitle(), u8("添加到收藏夹"));
    EXPECT_EQ(dialog->nameField()->GetValue(), u8("新浪首页"));
    EXPECT_EQ(dialog->folderTree()->GetItemText(item({})), u8("收藏夹"));
    EXPECT_EQ(dialog->folderTree()->GetSelection(), item({}));
    EXPECT_EQ(children(), (Names{"Apps", u8("新闻")}));
    EXPECT_EQ(children({u8("新闻")}), Names{u8("体育")});

    dialog->nameField()->SetValue(u8("新浪体育"));
    choose({u8("新闻"), u8("体育")});
    click(dialog->okButton());
    expectChose(favorites + "/新闻/体育/新浪体育.url", u8("新浪体育"));
    EXPECT_EQ(dialog->GetReturnCode(), wxID_OK);
    EXPECT_TRUE(told.empty());
}

TEST_F(AddFavoriteDialogWindow, CharactersNoFileNameCanHoldBecomeUnderscoresAndBlankNamesAreOff)
{
    open("");
    EXPECT_FALSE(dialog->okButton()->IsEnabled());
    for (const auto& [name, enabled] : {std::pair{wxString("a"), true}, {" \t ", false}, {u8(" 新 "), true}}) {
        dialog->nameField()->SetValue(name);
        EXPECT_EQ(dialog->okButton()->IsEnabled(), enabled) << '"' << name << '"';
    }

    dialog->nameField()->SetValue(u8("  a/b\\c:d*e?f\"g<h>i|j\tk\x7fl 新闻  "));
    click(dialog->okButton());
    const wxString clean = u8("a_b_c_d_e_f_g_h_i_j_k_l 新闻");
    expectChose(favorites + "/" + clean.utf8_string() + ".url", clean);
    EXPECT_EQ(dialog->nameField()->GetValue(), clean) << "the box shows what is saved";
}

TEST_F(AddFavoriteDialogWindow, NamesAndPathsTooLongForTheFileSystemAreRefused)
{
    wxString longName; // 252 bytes of UTF-8: with ".url", one over the limit
    for (int i = 0; i < 84; ++i)
        longName += u8("长");
    open(longName);
    click(dialog->okButton());
    expectStillOpen();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_TRUE(told[0].Contains(u8("名称太长"))) << told[0];

    std::string deep = base + "/deep";
    while (deep.size() < 4100)
        deep += "/" + std::string(200, 'd');
    open("x", deep);
    click(dialog->okButton());
    expectStillOpen();
    ASSERT_EQ(told.size(), 2u);
    EXPECT_TRUE(told[1].Contains(u8("路径太长"))) << told[1];
}

TEST_F(AddFavoriteDialogWindow, AnExistingFavoriteIsReplacedOnlyWhenTheUserSaysSo)
{
    std::ofstream(favorites + "/Example.url") << "[InternetShortcut]\nURL=http://old/\n";
    fs::create_directories(favorites + "/Folder.url");
    open("Example");
    click(dialog->okButton());
    expectStillOpen();
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_TRUE(questions[0].Contains("Example.url")) << questions[0];

    replace = true;
    dialog->nameField()->SetValue("Folder"); // a folder is refused without asking
    click(dialog->okButton());
    expectStillOpen();
    EXPECT_EQ(questions.size(), 1u);
    EXPECT_EQ(told.size(), 1u);

    dialog->nameField()->SetValue("Example");
    click(dialog->okButton());
    expectChose(favorites + "/Example.url", "Example");
}

TEST_F(AddFavoriteDialogWindow, AMissingFavoritesFolderIsMadeOnConfirmOrTheFailureReported)
{
    std::ofstream(base + "/file") << "in the way";
    open("Example", base + "/file/Favorites");
    click(dialog->okButton());
    expectStillOpen();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_TRUE(told[0].Contains(u8("无法创建文件夹")) && told[0].Contains("cannot create folder")) << told[0];

    open("Example", base + "/not/yet/Favorites");
    EXPECT_TRUE(children().empty());
    click(dialog->okButton());
    expectChose(base + "/not/yet/Favorites/Example.url", "Example");
    EXPECT_TRUE(fs::is_directory(base + "/not/yet/Favorites"));
}

TEST_F(AddFavoriteDialogWindow, NewFolderIsMadeInTheSelectedFolderAndSelected)
{
    fs::create_directories(favorites + "/B");
    std::ofstream(favorites + "/taken") << "a file";
    open("Example");
    for (const char* name : {"taken", "B"}) { // a file in the way; a folder already there
        folderName = name;
        click(dialog->newFolderButton());
    }
    ASSERT_EQ(told.size(), 1u);
    EXPECT_TRUE(told[0].Contains(u8("无法创建文件夹"))) << told[0];
    EXPECT_EQ(children(), Names{"B"});
    EXPECT_EQ(dialog->folderTree()->GetSelection(), item({"B"}));

    choose({});
    folderName = u8("新闻");
    click(dialog->newFolderButton());
    EXPECT_TRUE(fs::is_directory(favorites + "/新闻"));
    EXPECT_EQ(children(), (Names{"B", u8("新闻")}));
    folderName = "a/b:c"; // made inside the one just selected, cleaned like names
    click(dialog->newFolderButton());
    EXPECT_TRUE(fs::is_directory(favorites + "/新闻/a_b_c"));
    EXPECT_EQ(dialog->folderTree()->GetSelection(), item({u8("新闻"), "a_b_c"}));
    folderName = std::nullopt; // the prompt was cancelled
    click(dialog->newFolderButton());

    click(dialog->okButton());
    expectChose(favorites + "/新闻/a_b_c/Example.url", "Example");
}

TEST_F(AddFavoriteDialogWindow, FolderNamesThatAreNotUtf8ComeBackByteExact)
{
    const std::string odd = base + "/fav\xfe";
    fs::create_directories(odd + "/bad\xff");
    open(u8("新闻"), odd);
    EXPECT_EQ(children(), Names{"bad?"});
    choose({"bad?"});
    folderName = "sub";
    click(dialog->newFolderButton());
    EXPECT_TRUE(fs::is_directory(odd + "/bad\xff/sub"));
    click(dialog->okButton());
    expectChose(odd + "/bad\xff/sub/新闻.url", u8("新闻"));
}

TEST_F(AddFavoriteDialogWindow, ShownModallyItAnswersWhatTheUserConfirmedOrNothingWhenCancelled)
{
    // Plays the user once the modal loop runs.
    std::function<void(int)> playUser = [&playUser](int button) {
        wxTheApp->CallAfter([&playUser, button] {
            for (wxWindow* window : wxTopLevelWindows)
                if (auto* shown = dynamic_cast<AddFavoriteDialog*>(window); shown && shown->IsModal()) {
                    shown->nameField()->SetValue("Edited");
                    return click(shown->FindWindow(button));
                }
            playUser(button); // not up yet
        });
    };
    playUser(wxID_CANCEL);
    EXPECT_FALSE(showAddFavoriteDialog(nullptr, "Example", favorites));
    playUser(wxID_OK);
    const auto choice = showAddFavoriteDialog(nullptr, "Example", favorites);
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->path, favorites + "/Edited.url");
    EXPECT_EQ(choice->name, "Edited");
}
