// The window's keys, find and zoom on the real engine, with keys typed as the display
// delivers them, the page holding the focus.
#include <cstdlib>
#include <filesystem>
#include <functional>

#include <atk/atk.h>
#include <gtk/gtk.h>
#include <gtk/gtkunixprint.h>
#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/toolbar.h>

#include "app/AddFavoriteDialog.h"
#include "app/FindDialog.h"
#include "app/Language.h"
#include "base/Addresses.h"
#include "base/Texts.h"
#include "tests/support/HttpServer.h"
#include "tests/support/PageActions.h"
#include "tests/support/RealFormFixture.h"
#include "tests/support/UserActions.h"

using namespace zemora;
using namespace zemora::test;
using namespace std::chrono_literals;

namespace {

class RealHabits : public RealFormFixture {
protected:
    void SetUp() override
    {
        RealFormFixture::SetUp();
        // A text field at a known place, which tells its value in the page's title.
        Response field;
        field.body = "<!DOCTYPE html><meta charset=utf-8><title>Form</title><body style='margin:0'>"
                     "<input id=f style='position:absolute;left:10px;top:10px;width:300px;height:30px'"
                     " oninput=\"document.title = 'v:' + this.value\"><p style='margin-top:120px'>Text</p>";
        server.route("/form.html", field);
        ASSERT_TRUE(runEventsUntil([&] { return form->IsShownOnScreen(); }));
    }

    Form1Seams seams() override
    {
        Form1Seams s = RealFormFixture::seams();
        s.addFavoriteDialog = [this](wxWindow* owner, const wxString& name, const std::string& folder) {
            ++addDialogs;
            return showAddFavoriteDialog(owner, name, folder);
        };
        return s;
    }

    testing::AssertionResult opened(const std::string& path, const wxString& title)
    {
        form->runHandler([&] { form->WebBrowser1->NavigateTo(server.url(path)); });
        return captionIs(title);
    }

    const wxPoint kInField{60, 25};
    int addDialogs = 0;
};

} // namespace

TEST_F(RealHabits, ZoomKeyTypedInThePageZoomsItAndTheZoomOutlivesNavigation)
{
    ASSERT_TRUE(opened("/a.html", "Page A"));
    focusPage();
    keys("ctrl+equal");
    ASSERT_TRUE(runEventsUntil([&] { return form->WebBrowser1->Zoom() > 1.05; }, std::chrono::seconds(5)))
        << "the key reached the window from inside the page";
    EXPECT_DOUBLE_EQ(form->WebBrowser1->Zoom(), 1.1);

    ASSERT_TRUE(opened("/b.html", "Page B"));
    EXPECT_DOUBLE_EQ(form->WebBrowser1->Zoom(), 1.1);
    EXPECT_EQ(form->GetClientSize(), form->FromDIP(wxSize(663, 519))) << "the window's layout stays";

    focusPage();
    keys("ctrl+l");
    EXPECT_TRUE(
        runEventsUntil([&] { return wxWindow::FindFocus() == form->Combo1->Window(); }, std::chrono::seconds(5)));
    EXPECT_TRUE(reports.empty());
}

TEST_F(RealHabits, EveryKeyOfTheTableWorksWithTheFocusInThePageOrInItsTextField)
{
    for (const bool inField : {false, true}) {
        SCOPED_TRACE(inField ? "in the page's text field" : "in the page");
        const wxPoint at = inField ? kInField : kOnPage;
        ASSERT_TRUE(opened("/a.html", "Page A"));
        ASSERT_TRUE(opened("/form.html", "Form"));

        clickInPage(at);
        keys("alt+Left");
        EXPECT_TRUE(captionIs("Page A")) << "back";
        clickInPage(kOnPage);
        keys("alt+Right");
        EXPECT_TRUE(captionIs("Form")) << "forward";

        for (const char* reload : {"F5", "ctrl+r"}) {
            const int before = server.hits("/form.html");
            clickInPage(at);
            keys(reload);
            EXPECT_TRUE(runEventsUntil([&] { return server.hits("/form.html") > before; }, std::chrono::seconds(5)))
                << reload;
            ASSERT_TRUE(captionIs("Form"));
        }

        for (const char* address : {"ctrl+l", "alt+d", "F6"}) {
            clickInPage(at);
            ASSERT_NE(wxWindow::FindFocus(), form->Combo1->Window());
            keys(address);
            EXPECT_TRUE(runEventsUntil([&] { return wxWindow::FindFocus() == form->Combo1->Window(); },
                                       std::chrono::seconds(5)))
                << address;
        }

        clickInPage(at);
        keys("ctrl+f");
        FindDialog* find = form->findDialog();
        ASSERT_NE(find, nullptr);
        EXPECT_TRUE(runEventsUntil([&] { return find->IsShown(); }, std::chrono::seconds(5)));
        find->Close();

        clickInPage(at);
        const auto zoomIs = [&](double level) {
            return runEventsUntil([&] { return std::abs(form->WebBrowser1->Zoom() - level) < 0.01; },
                                  std::chrono::seconds(5));
        };
        keys("ctrl+plus");
        EXPECT_TRUE(zoomIs(1.1)) << "ctrl+plus";
        keys("ctrl+minus ctrl+minus");
        EXPECT_TRUE(zoomIs(0.9)) << "ctrl+minus";
        keys("ctrl+0");
        EXPECT_TRUE(zoomIs(1.0)) << "ctrl+0";

        clickInPage(at);
        keys("alt+Home");
        EXPECT_TRUE(runEventsUntil([&] { return form->WebBrowser1->LocationURL() == wxText(kHomeAddress); },
                                   std::chrono::seconds(5)))
            << "home";
    }
    EXPECT_TRUE(reports.empty());
}

TEST_F(RealHabits, APagesTextFieldKeepsItsEditingKeys)
{
    ASSERT_TRUE(opened("/a.html", "Page A"));
    ASSERT_TRUE(opened("/form.html", "Form"));
    clickInPage(kInField);
    xdotool("type --delay 30 hello");
    EXPECT_TRUE(captionIs("v:hello"));
    keys("Left Left BackSpace");
    EXPECT_TRUE(captionIs("v:helo")) << "arrows move in the text, Backspace deletes";
    keys("Home Delete");
    EXPECT_TRUE(captionIs("v:elo")) << "Home goes to the start, Delete deletes";
    keys("End shift+Left shift+Left Delete");
    EXPECT_TRUE(captionIs("v:e")) << "End and Shift+arrows select";
    keys("ctrl+a ctrl+c Delete");
    EXPECT_TRUE(captionIs("v:")) << "select all and delete";
    keys("ctrl+v");
    EXPECT_TRUE(captionIs("v:e")) << "copy and paste";
    keys("ctrl+a ctrl+x");
    EXPECT_TRUE(captionIs("v:")) << "cut";
    keys("ctrl+z");
    EXPECT_TRUE(captionIs("v:e")) << "undo";
    keys("ctrl+shift+z");
    EXPECT_TRUE(captionIs("v:")) << "redo";

    EXPECT_EQ(form->WebBrowser1->LocationURL(), wxString::FromUTF8(server.url("/form.html"))) << "no key navigated";
    EXPECT_DOUBLE_EQ(form->WebBrowser1->Zoom(), 1.0);
    EXPECT_TRUE(reports.empty());
}

TEST_F(RealHabits, WhatOpensFromTheBoxHandsThePageTheKeys)
{
    // A page that names in its title each key it gets.
    // The title comes once the page listens.
    server.route("/keys.html", htmlPage("<p>keys</p><script>addEventListener('keydown', function (e) {"
                                        "document.title = 'key:' + (e.key == ' ' ? 'Space' : e.key) });"
                                        "document.title = 'keys'</script>"));
    const std::string address = server.url("/keys.html");
    struct Row {
        const char* how;
        std::function<void()> open;
    };
    const Row rows[] = {
        {"Enter",
         [&] {
             keys("ctrl+l");
             xdotool("type --delay 10 '" + address + "'");
             keys("Return");
         }},
        {"GO...",
         [&] {
             keys("ctrl+l");
             xdotool("type --delay 10 '" + address + "'");
             const wxPoint at = form->Command1->GetScreenPosition() + wxPoint(10, 5);
             xdotool("mousemove " + std::to_string(at.x) + " " + std::to_string(at.y) + " click 1");
         }},
        {"a history choice",
         [&] {
             keys("ctrl+l");
             chooseFromList(form->Combo1->Window(), 0);
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.how);
        ASSERT_TRUE(opened("/a.html", "Page A"));
        focusPage();
        row.open();
        ASSERT_TRUE(captionIs("keys"));
        keys("space");
        EXPECT_TRUE(captionIs("key:Space")) << "the page reads on";
        keys("Escape");
        EXPECT_TRUE(captionIs("key:Escape")) << "nothing loads: Esc is the page's";
        EXPECT_EQ(form->Combo1->Text(), wxString::FromUTF8(address)) << "no blank went into the box";
    }
}

TEST_F(RealHabits, TheBoxFollowsAHistoryChoiceAndBack)
{
    Response redirect;
    redirect.status = 302;
    redirect.location = "/a.html";
    server.route("/r", redirect);
    // The box as a screen reader reads it.
    GtkWidget* entry = gtk_bin_get_child(GTK_BIN(form->Combo1->Window()->GetHandle()));
    std::string read;
    const auto boxReads = [&](const std::string& address) {
        return runEventsUntil([&] {
            gchar* text = atk_text_get_text(ATK_TEXT(gtk_widget_get_accessible(entry)), 0, -1);
            read = text ? text : "";
            const bool reads = text && address == text;
            g_free(text);
            return reads;
        });
    };
    ASSERT_TRUE(opened("/a.html", "Page A"));
    for (const char* path : {"/r", "/b.html"}) {
        focusPage();
        keys("ctrl+l");
        xdotool("type --delay 10 '" + server.url(path) + "'");
        keys("Return");
        ASSERT_TRUE(boxReads(server.url(path == std::string("/r") ? "/a.html" : path))) << read;
    }
    focusPage();
    keys("ctrl+l");
    chooseFromList(form->Combo1->Window(), 0); // the redirecting address, first typed
    EXPECT_TRUE(captionIs("Page A"));
    EXPECT_TRUE(boxReads(server.url("/a.html"))) << "the page's own address, once loaded: " << read;
    focusPage();
    keys("alt+Left");
    EXPECT_TRUE(captionIs("Page B"));
    EXPECT_TRUE(boxReads(server.url("/b.html"))) << "and after Back: " << read;
}

TEST_F(RealHabits, WhatIsDroppedOnTheBoxTakesItsPlaceAndADroppedLinkOpens)
{
    DisplayLock alone;
    server.route("/drag.html",
                 htmlPage("<title>Drag</title><body style='margin:0'>"
                          "<a href='/b.html' style='position:absolute;left:10px;top:10px;font-size:40px'>link</a> "
                          "<div style='padding:150px 0 0 10px;font-size:40px;line-height:50px'>word</div></body>"));
    // Presses in the page, moves over the box in steps as a hand does, and lets go.
    const auto dragToBox = [&](wxPoint from) {
        form->Raise();
        const wxPoint start = form->WebBrowser1->Window()->GetScreenPosition() + from;
        wxWindow* box = form->Combo1->Window();
        const wxPoint end = box->GetScreenPosition() + wxPoint(box->GetSize().x / 2, box->GetSize().y / 2);
        std::string moves;
        for (int step = 1; step <= 10; ++step)
            moves += " mousemove " + std::to_string(start.x + (end.x - start.x) * step / 10) + " "
                     + std::to_string(start.y + (end.y - start.y) * step / 10) + " sleep 0.05";
        // The window answers while the hand moves: the drag is a conversation with it.
        const std::filesystem::path done = testHome() / "dragged";
        std::filesystem::remove(done);
        const std::string command = "(xdotool mousemove " + std::to_string(start.x) + " " + std::to_string(start.y)
                                    + " mousedown 1" + moves + " sleep 0.3 mouseup 1; touch '" + done.string() + "') &";
        ASSERT_EQ(std::system(command.c_str()), 0);
        ASSERT_TRUE(runEventsUntil([&] { return std::filesystem::exists(done); }));
        handleInputSent();
    };
    // Text: a word chosen with a double click, dragged over, takes the box's place.
    ASSERT_TRUE(opened("/drag.html", "Drag"));
    form->Combo1->SetText("http://old.example/address");
    clickInPage({40, 175});
    xdotool("click --repeat 2 1");
    // A press within the toolkit's double-click time would be a third click, choosing the
    // whole paragraph: the drag waits that time out.
    int doubleClickTime = 400;
    g_object_get(gtk_settings_get_default(), "gtk-double-click-time", &doubleClickTime, nullptr);
    runEventsUntil([] { return false; }, std::chrono::milliseconds(doubleClickTime + 100));
    dragToBox({40, 175});
    EXPECT_TRUE(runEventsUntil([&] { return form->Combo1->Text() == "word"; })) << form->Combo1->Text();
    EXPECT_TRUE(nothingWithin(300ms, [&] { return !form->GetTitle().StartsWith("Drag"); })) << "text opens nothing";
    // A link opens.
    clickInPage({300, 300}); // the word no longer chosen
    dragToBox({40, 35});
    EXPECT_TRUE(captionIs("Page B"));
    EXPECT_EQ(form->Combo1->Text(), wxString::FromUTF8(server.url("/b.html")));
    EXPECT_TRUE(form->Combo1->Contains(wxString::FromUTF8(server.url("/b.html")))) << "kept as typed";
}

TEST_F(RealHabits, TheWindowsKeysWorkInItsDialogsAndEscStaysWithTheDialog)
{
    ASSERT_TRUE(opened("/a.html", "Page A"));
    ASSERT_TRUE(opened("/form.html", "Form"));
    focusPage();
    keys("ctrl+f");
    FindDialog* find = form->findDialog();
    ASSERT_NE(find, nullptr);
    ASSERT_TRUE(runEventsUntil([&] { return wxWindow::FindFocus() == find->textField(); }, std::chrono::seconds(5)));
    const int before = server.hits("/form.html");
    keys("F5");
    EXPECT_TRUE(runEventsUntil([&] { return server.hits("/form.html") > before; }, std::chrono::seconds(5)));
    keys("ctrl+plus");
    EXPECT_TRUE(runEventsUntil([&] { return form->WebBrowser1->Zoom() > 1.05; }, std::chrono::seconds(5)));
    keys("alt+Left");
    EXPECT_TRUE(captionIs("Page A"));
    EXPECT_TRUE(find->IsShown());
    keys("Escape");
    EXPECT_TRUE(runEventsUntil([&] { return !find->IsShown(); }, std::chrono::seconds(5))) << "Esc closes the dialog";

    // The modal add-to-favorites dialog keeps every key: the page behind it waits, and a
    // second dialog is not opened.
    focusPage();
    bool pageUntouched = false;
    wxTimer whileOpen;
    whileOpen.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        const int loads = server.hits("/a.html");
        const double zoom = form->WebBrowser1->Zoom();
        keys("F5 alt+Right ctrl+minus ctrl+d");
        pageUntouched = nothingWithin(500ms, [&] {
            return server.hits("/a.html") != loads || form->WebBrowser1->Zoom() != zoom
                   || form->WebBrowser1->LocationName() != "Page A";
        });
        keys("Escape");
    });
    whileOpen.StartOnce(1500);
    keys("ctrl+d");
    EXPECT_TRUE(runEventsUntil([&] { return addDialogs == 1 && !whileOpen.IsRunning(); }, std::chrono::seconds(10)));
    nothingWithin(300ms, [&] { return addDialogs > 1; }); // a key kept back would open a second one now
    EXPECT_TRUE(pageUntouched) << "no key reached the page behind the dialog";
    EXPECT_EQ(addDialogs, 1);
    EXPECT_FALSE(std::filesystem::exists(*favoritesFolder)) << "cancelled, nothing written";
    EXPECT_TRUE(reports.empty());
}

TEST_F(RealHabits, CtrlPPrintsThePageToAPdfFileThroughThePrintDialog)
{
    DisplayLock alone;
    ASSERT_TRUE(opened("/a.html", "Page A"));
    const std::filesystem::path pdf = testHome() / "page A.pdf";
    // The dialog as a person fills it in: the printer that prints to a file, the file's
    // name, then Print.
    GtkPrintUnixDialog* dialog = nullptr;
    bool printed = false;
    wxTimer whileOpen;
    whileOpen.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        GList* windows = gtk_window_list_toplevels();
        for (GList* w = windows; w && !dialog; w = w->next)
            if (GTK_IS_PRINT_UNIX_DIALOG(w->data) && gtk_widget_get_visible(GTK_WIDGET(w->data)))
                dialog = GTK_PRINT_UNIX_DIALOG(w->data);
        g_list_free(windows);
        if (dialog && !printed) {
            GtkPrintSettings* settings = gtk_print_settings_new();
            gtk_print_settings_set_printer(settings, "Print to File");
            gchar* uri = g_filename_to_uri(pdf.c_str(), nullptr, nullptr);
            gtk_print_settings_set(settings, GTK_PRINT_SETTINGS_OUTPUT_URI, uri);
            gtk_print_settings_set(settings, GTK_PRINT_SETTINGS_OUTPUT_FILE_FORMAT, "pdf");
            g_free(uri);
            gtk_print_unix_dialog_set_settings(dialog, settings);
            g_object_unref(settings);
            GtkPrinter* printer = gtk_print_unix_dialog_get_selected_printer(dialog);
            if (printer && std::string(gtk_printer_get_name(printer)) == "Print to File") {
                printed = true;
                gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
                return;
            }
        }
        whileOpen.StartOnce(200); // the dialog lists its printers as it finds them
    });
    whileOpen.StartOnce(300);
    focusPage();
    keys("ctrl+p");
    EXPECT_TRUE(runEventsUntil([&] { return printed; }, std::chrono::seconds(20)))
        << (dialog ? "no printer to a file" : "no dialog");
    EXPECT_TRUE(runEventsUntil(
        [&] { return readFile(pdf).rfind("%PDF", 0) == 0 && readFile(pdf).find("%%EOF") != std::string::npos; },
        std::chrono::seconds(20)))
        << "printed to the file";
    whileOpen.Stop();
}

namespace {

// A one-page PDF document, written out as the format has it.
std::string smallPdf()
{
    const std::string stream = "BT /F1 24 Tf 20 100 Td (Hello PDF) Tj ET";
    const std::vector<std::string> objects = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 200 200] /Contents 4 0 R /Resources << /Font << /F1 5 0 R >> >> "
        ">>",
        "<< /Length " + std::to_string(stream.size()) + " >>\nstream\n" + stream + "\nendstream",
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>",
    };
    std::string pdf = "%PDF-1.4\n";
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(pdf.size());
        pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const std::size_t xref = pdf.size();
    pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (const std::size_t offset : offsets) {
        char line[32];
        std::snprintf(line, sizeof line, "%010zu 00000 n \n", offset);
        pdf += line;
    }
    return pdf + "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R >>\nstartxref\n"
           + std::to_string(xref) + "\n%%EOF\n";
}

} // namespace

TEST_F(RealHabits, APageWithoutATitleIsNamedByItsFileInTheCaption)
{
    Response pdf = htmlPage(smallPdf());
    pdf.contentType = "application/pdf";
    server.route("/docs/%E5%B9%B4%E6%8A%A5.pdf", pdf);
    server.route("/docs/untitled.html", htmlPage("<p>no title</p>"));
    ASSERT_TRUE(opened("/a.html", "Page A"));
    EXPECT_TRUE(opened("/docs/%E5%B9%B4%E6%8A%A5.pdf", wxString::FromUTF8("年报.pdf")));
    EXPECT_TRUE(opened("/docs/untitled.html", "untitled.html"));
}

TEST_F(RealHabits, FindCountsMatchesOrSaysThereAreNone)
{
    server.route("/c.html", htmlPage("<title>C</title><p>Hello hello HELLO</p>"));
    ASSERT_TRUE(opened("/c.html", "C"));
    form->ShowFind();
    FindDialog* find = form->findDialog();
    const wxString found = wxString::FromUTF8("第 1 处，共 3 处");
    find->textField()->SetValue("hello");
    EXPECT_TRUE(runEventsUntil([&] { return find->status()->GetLabel() == found; }, std::chrono::seconds(5)))
        << find->status()->GetLabel();
    // Next and previous move through the matches, wrapping around; the count stays.
    const auto showsMatch = [&](const char* text) {
        return runEventsUntil([&] { return find->status()->GetLabel() == wxString::FromUTF8(text); },
                              std::chrono::seconds(5));
    };
    clickButton(find->nextButton());
    EXPECT_TRUE(showsMatch("第 2 处，共 3 处")) << find->status()->GetLabel();
    clickButton(find->previousButton());
    EXPECT_TRUE(showsMatch("第 1 处，共 3 处")) << find->status()->GetLabel();
    clickButton(find->previousButton());
    EXPECT_TRUE(showsMatch("第 3 处，共 3 处")) << find->status()->GetLabel();
    clickButton(find->nextButton());
    EXPECT_TRUE(showsMatch("第 1 处，共 3 处")) << find->status()->GetLabel();
    find->textField()->SetValue("nowhere");
    EXPECT_TRUE(runEventsUntil([&] { return find->status()->GetLabel() == wxString::FromUTF8(bilingual(kNoMatches)); },
                               std::chrono::seconds(5)))
        << find->status()->GetLabel();
}

TEST_F(RealHabits, FindKeepsOneCurrentMatchForItsKeysAndButtons)
{
    DisplayLock alone;
    server.route("/apples.html", htmlPage("<title>Apples</title><p>apple one</p><p>apple two</p><p>apple three</p>"));
    ASSERT_TRUE(opened("/apples.html", "Apples"));
    focusPage();
    keys("ctrl+f");
    FindDialog* find = form->findDialog();
    ASSERT_TRUE(find && runEventsUntil([&] { return find->IsShownOnScreen() && find->textField()->HasFocus(); }));
    // Each step as a person takes it, and the match the dialog then names.
    const auto clickOn = [&](wxWindow* button) {
        const wxPoint at = button->GetScreenPosition() + wxPoint(button->GetSize().x / 2, button->GetSize().y / 2);
        xdotool("mousemove " + std::to_string(at.x) + " " + std::to_string(at.y) + " click 1");
    };
    struct Step {
        const char* what;
        std::function<void()> take;
        const char* shown;
    };
    const Step steps[] = {
        {"typed", [&] { xdotool("type --delay 30 apple"); }, "第 1 处，共 3 处"},
        {"Enter", [&] { keys("Return"); }, "第 2 处，共 3 处"},
        {"next", [&] { clickOn(find->nextButton()); }, "第 3 处，共 3 处"},
        {"next again, round", [&] { clickOn(find->nextButton()); }, "第 1 处，共 3 处"},
        {"previous, round", [&] { clickOn(find->previousButton()); }, "第 3 处，共 3 处"},
        {"Shift+Enter",
         [&] {
             find->textField()->SetFocus();
             keys("shift+Return");
         },
         "第 2 处，共 3 处"},
        {"Enter", [&] { keys("Return"); }, "第 3 处，共 3 处"},
        {"previous", [&] { clickOn(find->previousButton()); }, "第 2 处，共 3 处"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.take();
        EXPECT_TRUE(runEventsUntil([&] { return find->status()->GetLabel() == wxString::FromUTF8(step.shown); },
                                   std::chrono::seconds(5)))
            << find->status()->GetLabel();
    }
}

TEST_F(RealHabits, AnAddressWithoutASchemeOpensAsAWebAddress)
{
    const std::string address = "127.0.0.1:" + std::to_string(server.port()) + "/a.html";
    form->runHandler([&] { form->WebBrowser1->NavigateTo(address); });
    EXPECT_TRUE(runEventsUntil([&] { return form->GetTitle() == "Page A" + wxText(kTitleSuffix); }));
    EXPECT_EQ(form->WebBrowser1->LocationURL(), server.url("/a.html"));
}

TEST_F(RealHabits, StockTextsOfTheToolkitAndTheEngineAreChinese)
{
    useChineseMessages();
    EXPECT_STREQ(g_dgettext("gtk30", "_OK"), "确定(_O)");
    EXPECT_STREQ(g_dgettext("WebKitGTK-4.1", "_Back"), "后退(_B)");
}
