// What the user types and chooses holds against the page: a page that reloads itself
// does not wipe the address being typed, pasted script loses its scheme, and a long
// favorites list opens within the screen.
#include <wx/button.h>
#include <wx/clipbrd.h>
#include <wx/combobox.h>
#include <wx/display.h>

#include <gdk/gdkkeysyms.h>
#include <gtk/gtk.h>

#include "tests/support/FavoritesFixture.h"
#include "tests/support/UserActions.h"

using namespace zemora;
using namespace zemora::test;

namespace {

class UserInputKept : public FavoritesFixture {
protected:
    // The page's load ends, as the control tells it.
    void pageCompletes(const wxString& address)
    {
        browser->url = address;
        browser->DownloadComplete();
        runPendingEvents();
    }
};

} // namespace

TEST_F(UserInputKept, ALoadThatEndsLeavesTheAddressBeingTyped)
{
    pageCompletes("http://a.test/");
    ASSERT_EQ(form->Combo1->Text(), "http://a.test/");
    // Into the box (its text selected as the focus comes), then on as the display delivers.
    pressKey(form->Combo1->Window(), GDK_KEY_s);
    for (unsigned key : {GDK_KEY_i, GDK_KEY_n, GDK_KEY_a})
        typeKey(form->Combo1->Window(), key);
    ASSERT_EQ(form->Combo1->Text(), "sina");
    // The page refreshes itself while the user types.
    pageCompletes("http://a.test/");
    EXPECT_EQ(form->Combo1->Text(), "sina");
    // Once the user has gone elsewhere, the box follows the page again.
    form->Command1->SetFocus();
    runPendingEvents();
    pageCompletes("http://a.test/again");
    EXPECT_EQ(form->Combo1->Text(), "http://a.test/again");
    // And with the focus in the box but nothing typed, too.
    form->Combo1->Window()->SetFocus();
    runPendingEvents();
    pageCompletes("http://a.test/third");
    EXPECT_EQ(form->Combo1->Text(), "http://a.test/third");
}

TEST_F(UserInputKept, PastedScriptLosesItsSchemeButAddressesPasteAsTheyAre)
{
    struct Case {
        const char* clipboard;
        const char* box;
    };
    for (const Case& c :
         {Case{"javascript:alert(document.cookie)", "alert(document.cookie)"}, Case{" JavaScript:x", "x"},
          Case{"http://a.test/?javascript:", "http://a.test/?javascript:"}}) {
        SCOPED_TRACE(c.clipboard);
        form->Combo1->SetText("");
        ASSERT_TRUE(wxTheClipboard->Open());
        wxTheClipboard->SetData(new wxTextDataObject(wxString::FromUTF8(c.clipboard)));
        wxTheClipboard->Close();
        pressKey(form->Combo1->Window(), GDK_KEY_v, GDK_CONTROL_MASK);
        runPendingEvents();
        EXPECT_EQ(form->Combo1->Text(), wxString::FromUTF8(c.box));
    }
}
TEST_F(UserInputKept, TwentyThousandFavoritesOpenAListWithinTheScreen)
{
    for (int i = 0; i < 20000; ++i)
        writeFile("site" + std::to_string(i) + ".url",
                  "[InternetShortcut]\nURL=http://site" + std::to_string(i) + ".test/\n");
    form->runHandler([this] { form->LoadFavoritesList(); });
    ASSERT_EQ(form->Combo2->ListCount(), 20000);
    auto* box = GTK_COMBO_BOX(form->Combo2->Window()->GetHandle());
    // Opened as a click on its arrow opens it.
    gtk_combo_box_popup(box);
    EXPECT_TRUE(runEventsUntil([&] { return !shownPopups().empty(); })) << "the list is open";
    for (const int height : shownPopups())
        EXPECT_LE(height, wxDisplay(form).GetGeometry().height);
    gtk_combo_box_popdown(box);
    runPendingEvents();
    // And still works: a favorite far down is chosen.
    choose(19999);
    EXPECT_FALSE(browser->calls.empty());
}
