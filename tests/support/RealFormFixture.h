#pragma once
// Form1 on the real WebKit engine, shown, with the other seams as FormFixture fakes them,
// and a local server holding two pages.
#include <chrono>
#include <cstdlib>
#include <string>

#include "app/WxText.h"
#include "base/Texts.h"
#include "engine/WebKitBrowser.h"
#include "tests/support/FormFixture.h"
#include "tests/support/HttpServer.h"
#include "tests/support/InternetStandIn.h"

namespace zemora::test {

class RealFormFixture : public FormFixture {
protected:
    void SetUp() override
    {
        server.page("/a.html", "Page A");
        server.page("/b.html", "Page B");
        FormFixture::SetUp();
    }

    Form1Seams seams() override
    {
        internetStandIn();
        Form1Seams s = FormFixture::seams();
        s.createBrowser = [](wxWindow* parent) { return std::make_unique<WebKitBrowser>(parent); };
        return s;
    }

    // Whether the window's caption comes to show this page title within the time.
    testing::AssertionResult captionIs(const wxString& title,
                                       std::chrono::milliseconds timeout = std::chrono::seconds(20))
    {
        if (runEventsUntil([&] { return form->GetTitle() == title + wxText(kTitleSuffix); }, timeout))
            return testing::AssertionSuccess();
        return testing::AssertionFailure()
               << "the caption is \"" << form->GetTitle() << "\", the box holds \"" << form->Combo1->Text() << "\"";
    }

    // Real X input, as a person's mouse and keyboard give it, handled by the window; what
    // it sets off in the page comes later, and each test waits for that.
    static void xdotool(const std::string& arguments)
    {
        EXPECT_EQ(std::system(("xdotool " + arguments).c_str()), 0) << arguments;
        handleInputSent();
    }
    // Keys by X names, "alt+Left", "ctrl+plus", "F5", several separated by blanks.
    static void keys(const std::string& names) { xdotool("key --clearmodifiers " + names); }

    // Clicks into the page at this place of it, so the page (or its field there) has the focus.
    void clickInPage(wxPoint at)
    {
        form->Raise();
        const wxPoint screen = form->WebBrowser1->Window()->GetScreenPosition() + at;
        xdotool("mousemove " + std::to_string(screen.x) + " " + std::to_string(screen.y) + " click 1");
    }
    // Puts the pointer over the page and clicks, so the page has the focus.
    void focusPage() { clickInPage(kOnPage); }

    const wxPoint kOnPage{200, 200};
    HttpServer server;
};

} // namespace zemora::test
