// Bad input of every kind: nothing crashes, hangs or is lost, and the user is told.
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/textctrl.h>

#include "tests/support/FavoritesFixture.h"

using namespace zemora;
using zemora::test::FavoritesFixture;
namespace fs = std::filesystem;

namespace {

class BadInput : public FavoritesFixture {
protected:
    int position(const std::string& name)
    {
        for (int i = 0; i < form->Combo2->ListCount(); ++i)
            if (form->Combo2->List(i) == wxString::FromUTF8(name))
                return i;
        return -1;
    }

    // Chooses a listed favorite by name; returns whether anything was opened.
    bool chooseNamed(const std::string& name)
    {
        const int at = position(name);
        EXPECT_GE(at, 0) << name << " is not listed";
        browser->calls.clear();
        choose(at);
        return !browser->calls.empty();
    }
};

} // namespace

TEST_F(BadInput, UnusableShortcutFilesAreToldAndOpenNothing)
{
    writeFile("binary.url", std::string("\x00\xff\xfe[Internet\x00Shortcut]\r\nURL\x01=\x80", 22));
    writeFile("empty.url", "");
    writeFile("huge.url", "[InternetShortcut]\r\nURL=http://a/\r\n");
    fs::resize_file(folder + "/huge.url", 100u * 1024 * 1024); // 100 MB, sparse
    std::filesystem::create_directories(folder);
    ASSERT_EQ(::mkfifo((folder + "/fifo.url").c_str(), 0644), 0);
    handle(&Form1::Form_Load);
    form->Combo1->SetText("kept");
    for (const char* name : {"binary.url", "empty.url", "huge.url"})
        EXPECT_FALSE(chooseNamed(name)) << name;
    EXPECT_EQ(position("fifo.url"), -1) << "a FIFO is no favorite";
    EXPECT_EQ(reports.size(), 3u);
    EXPECT_EQ(form->Combo1->Text(), "kept");
}

TEST_F(BadInput, UnreadableFavoriteIsTold)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "the superuser reads every file";
    writeFile("locked.url", "[InternetShortcut]\r\nURL=http://a/\r\n");
    std::filesystem::permissions(folder + "/locked.url", std::filesystem::perms::none);
    handle(&Form1::Form_Load);
    EXPECT_FALSE(chooseNamed("locked.url"));
    EXPECT_EQ(reports.size(), 1u);
}

TEST_F(BadInput, OddFileNamesAreListedAndOpen)
{
    const std::string names[] = {"line\nbreak.url", "bad\xff"
                                                    "byte.url"};
    for (const std::string& name : names)
        writeFile(name, "[InternetShortcut]\r\nURL=http://odd.example/\r\n");
    fs::create_symlink(folder + "/missing.url", folder + "/dangling.url");
    handle(&Form1::Form_Load);
    EXPECT_EQ(form->Combo2->ListCount(), 2) << "the dangling link is no favorite";
    EXPECT_TRUE(chooseNamed("line\nbreak.url"));
    EXPECT_TRUE(chooseNamed("bad?byte.url")) << "shown with ? for the byte, opened by its real name";
    EXPECT_TRUE(reports.empty());
}

TEST_F(BadInput, FullOrReadOnlyDiskOnAddKeepsTheOldFileAndTells)
{
    const std::string disk = folder + "/small";
    fs::create_directories(disk);
    if (::mount("zemora-test", disk.c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "cannot mount a small disk here; the unit tests simulate it";
    const std::string old = "[InternetShortcut]\r\nURL=http://old.example/\r\n";
    std::ofstream(disk + "/fav.url", std::ios::binary) << old;
    {
        std::ofstream filler(disk + "/filler", std::ios::binary);
        const std::string block(4096, 'x');
        while (filler.write(block.data(), block.size()))
            ;
    }
    dialogAnswer = AddFavoriteChoice{disk + "/fav.url", "fav"};
    pageLoaded("Page", "http://new.example/" + std::string(8000, 'p'));
    clickAdd();
    EXPECT_EQ(reports.size(), 1u) << "disk full";

    fs::remove(disk + "/filler");
    ASSERT_EQ(::mount(nullptr, disk.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
    clickAdd();
    EXPECT_EQ(reports.size(), 2u) << "read-only";

    EXPECT_EQ(readFile(disk + "/fav.url"), old);
    ::umount(disk.c_str());
}

TEST_F(BadInput, HugeTypedAddressIsOpenedAndKeptOnce)
{
    form->Combo1->SetText(wxString(wxUniChar('a'), 100000));
    const wxString held = form->Combo1->Text(); // the box's own limit may cut it
    EXPECT_GT(held.length(), 60000u);
    for (int i = 0; i < 2; ++i) {
        form->Combo1->SetText(held);
        handle(&Form1::Command1_Click);
    }
    EXPECT_EQ(browser->calls.size(), 2u);
    ASSERT_EQ(form->Combo1->ListCount(), 1) << "the same long address is kept once";
    EXPECT_EQ(form->Combo1->List(0), "http://www." + held + ".com");
    EXPECT_TRUE(reports.empty());
}

TEST_F(BadInput, TenThousandResizesInARowEndWhereTheyShould)
{
    handle(&Form1::Form_Load);
    for (int i = 0; i < 10000; ++i) {
        form->SetClientSize(100 + (i * 37) % 1500, (i * 53) % 1100);
        form->ApplyLayout();
    }
    form->SetClientSize(663, 519);
    form->ApplyLayout();
    EXPECT_EQ(form->Command1->GetRect(), wxRect(332, 72, 49, 17));
    EXPECT_EQ(form->WebBrowser1->Window()->GetRect(), wxRect(0, 96, 665, 401));
}
