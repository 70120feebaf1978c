// Quick steps back and forward through the history on the real engine: each click lands
// on its page, and clicks made faster than pages load are all carried out.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include <gdk/gdkkeysyms.h>
#include <wx/combobox.h>
#include <wx/textctrl.h>

#include "base/Commands.h"
#include "base/Texts.h"
#include "tests/support/RealFormFixture.h"
#include "tests/support/UserActions.h"

using namespace zemora;
using namespace zemora::test;
using namespace std::chrono_literals;

namespace {

class HistorySteps : public RealFormFixture {
protected:
    void SetUp() override
    {
        RealFormFixture::SetUp();
        // Pages of three kinds, as a day's browsing has them: text, images, and a script
        // that builds its page and keeps a timer running.
        for (int n = 0; n < kPages; ++n) {
            const std::string id = std::to_string(n);
            std::string body;
            switch (n % 3) {
            case 0:
                for (int p = 0; p < 30; ++p)
                    body += "<p>Paragraph " + std::to_string(p) + " of page " + id + ".</p>";
                break;
            case 1:
                for (int i = 0; i < 8; ++i) {
                    const std::string svg = "/img/" + id + "-" + std::to_string(i) + ".svg";
                    Response image;
                    image.body =
                        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"60\" height=\"60\"><circle cx=\"30\" "
                        "cy=\"30\" r=\""
                        + std::to_string(5 + i * 3) + "\" fill=\"teal\"/></svg>";
                    image.contentType = "image/svg+xml";
                    server.route(svg, image);
                    body += "<img src=\"" + svg + "\">";
                }
                break;
            default:
                body =
                    "<ul id=\"list\"></ul><p id=\"beat\"></p><script>"
                    "const list = document.getElementById('list');"
                    "for (let i = 0; i < 800; ++i) { const li = document.createElement('li');"
                    " li.textContent = 'item ' + i; li.addEventListener('click', () => {}); list.appendChild(li); }"
                    "let beats = 0; setInterval(() => { document.getElementById('beat').textContent = ++beats; }, 50);"
                    "</script>";
            }
            Response page;
            page.body =
                "<!DOCTYPE html><html><head><title>Page " + id + "</title></head><body>" + body + "</body></html>";
            server.route(path(n), page);
        }
    }

    static std::string path(int n) { return "/page/" + std::to_string(n); }

    // Waits for the page to show: the box, the address line and the caption all say it.
    testing::AssertionResult shows(int n, std::chrono::milliseconds limit = 5s)
    {
        const wxString address = wxString::FromUTF8(server.url(path(n)));
        const wxString caption = "Page " + std::to_string(n) + wxText(kTitleSuffix);
        if (runEventsUntil(
                [&] {
                    return form->Text2->GetValue() == address && form->Combo1->Text() == address
                           && form->GetTitle() == caption;
                },
                limit))
            return testing::AssertionSuccess();
        return testing::AssertionFailure() << "page " << n << " never showed: the caption is \"" << form->GetTitle()
                                           << "\", the address line holds \"" << form->Text2->GetValue()
                                           << "\", the engine is at \"" << form->WebBrowser1->LocationURL() << "\"";
    }

    void openAll()
    {
        for (int n = 0; n < kPages; ++n) {
            form->Combo1->SetText(wxString::FromUTF8(server.url(path(n))));
            pressKey(form->Combo1->Window(), GDK_KEY_Return);
            ASSERT_TRUE(shows(n));
        }
    }

    bool enabled(const char* key) { return form->Toolbar1->Enabled(slotOf(key)); }

    static constexpr int kPages = 6;
};

} // namespace

// 200 steps back and forward, one, two or three clicks at a time: each first click comes
// the moment the page before it shows, the others at moments from at once to while the
// step before is still on its way. Every step is carried out, the page stays, and the
// buttons already say where the user can go next.
TEST_F(HistorySteps, EveryQuickStepIsCarriedOut)
{
    ASSERT_NO_FATAL_FAILURE(openAll());
    int at = kPages - 1;
    int direction = -1;
    int steps = 0;
    for (int round = 0; steps < 200; ++round) {
        const int clicks = std::min(1 + round % 3, 200 - steps);
        if (at + clicks * direction < 0 || at + clicks * direction >= kPages)
            direction = -direction;
        const char* key = direction < 0 ? "back" : "forward";
        const auto gap = std::chrono::milliseconds(round % 8 * 6);
        for (int click = 0; click < clicks; ++click) {
            if (click > 0)
                runEventsUntil([] { return false; }, gap);
            ASSERT_TRUE(enabled(key)) << "round " << round << ": " << key << " is disabled on the way from page " << at;
            clickTool(form->Toolbar1->Window(), slotOf(key));
        }
        at += clicks * direction;
        steps += clicks;
        const std::string what = "round " + std::to_string(round) + ": " + std::to_string(clicks) + " x " + key + ", "
                                 + std::to_string(gap.count()) + " ms apart";
        ASSERT_TRUE(shows(at)) << what;
        ASSERT_EQ(enabled("back"), at > 0) << what;
        ASSERT_EQ(enabled("forward"), at < kPages - 1) << what;
    }
    // Nothing more comes in afterwards.
    runEventsUntil([] { return false; }, 300ms);
    EXPECT_TRUE(shows(at, 0ms));
    EXPECT_TRUE(reports.empty()) << reports.front();
}
