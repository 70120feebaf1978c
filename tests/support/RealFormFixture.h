#pragma once
// Form1 on the real WebKit engine, shown, with the other seams as FormFixture fakes them.
#include "engine/WebKitBrowser.h"
#include "tests/support/FormFixture.h"
#include "tests/support/InternetStandIn.h"

namespace zemora::test {

class RealFormFixture : public FormFixture {
protected:
    Form1Seams seams() override
    {
        internetStandIn();
        Form1Seams s = FormFixture::seams();
        s.createBrowser = [](wxWindow* parent) { return std::make_unique<WebKitBrowser>(parent); };
        return s;
    }
};

} // namespace zemora::test
