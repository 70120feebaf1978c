#pragma once
// Form1 on the real WebKit engine, shown, with the other seams as FormFixture fakes them,
// and a local server holding two pages.
#include <chrono>

#include "app/WxText.h"
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
        return testing::AssertionFailure() << "the caption is \"" << form->GetTitle() << "\", the box holds \""
                                           << form->Combo1->Text() << "\"";
    }

    HttpServer server;
};

} // namespace zemora::test
