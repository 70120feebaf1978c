// The window opened from a command line: what start-up navigates to, and a shortcut
// file that cannot be read.
#include <wx/combobox.h>

#include "app/Startup.h"
#include "tests/support/FavoritesFixture.h"

using namespace zemora;
using zemora::test::FavoritesFixture;

namespace {

class Startup : public FavoritesFixture {
protected:
    // Replaces the fixture's window with one opened as the program opens it for `args`.
    void start(const std::vector<std::string>& args)
    {
        form->Destroy();
        form = nullptr;
        test::runPendingEvents();
        CommandLineContext context;
        context.currentDir = folder;
        const CommandLine line = parseCommandLine(args, context);
        ASSERT_EQ(line.action, CommandLine::Action::Open) << line.message;
        form = startProgram(seams(), line.start);
    }
};

} // namespace

TEST_F(Startup, AddressArgumentIsOpenedInsteadOfTheStartAddressAfterTheLayoutIsCaptured)
{
    writeFile("a.url", "[InternetShortcut]\r\nURL=http://a/\r\n");
    start({"127.0.0.1:8000/page?x=-1"});
    EXPECT_TRUE(form->IsShown());
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(form->Combo2->ListCount(), 1) << "favorites are listed as usual";
    EXPECT_EQ(form->CtlCount, 12);
    EXPECT_EQ(browser->calls, std::vector<wxString>{"NavigateTo http://127.0.0.1:8000/page?x=-1"});
}

TEST_F(Startup, ShortcutArgumentOpensTheAddressItHolds)
{
    writeFile("my fav.url", "[InternetShortcut]\r\nURL=http://example.test/fav\r\n");
    start({"file://" + folder + "/my%20fav.url"});
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(browser->calls, std::vector<wxString>{"NavigateTo http://example.test/fav"});
}

TEST_F(Startup, UnreadableShortcutArgumentIsReportedAndTheWindowStillComesUp)
{
    writeFile("empty.url", "[InternetShortcut]\r\nURL=\r\n");
    for (const char* name : {"missing.url", "empty.url"}) {
        SCOPED_TRACE(name);
        reports.clear();
        start({folder + "/" + name});
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_NE(reports[0].find(name), std::string::npos) << reports[0];
        EXPECT_TRUE(form->IsShown());
        EXPECT_EQ(form->CtlCount, 12) << "the layout is captured before the shortcut is read";
        EXPECT_TRUE(browser->calls.empty()) << "as when the favorite is chosen from the list";
    }
}
