#pragma once
// A real Form1 on the test display, with a fake browser control and recorded failures.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/Form1.h"
#include "app/WxText.h"
#include "tests/support/FakeBrowser.h"
#include "tests/support/TestEnvironment.h"

namespace zemora::test {

class FormFixture : public testing::Test {
protected:
    void SetUp() override
    {
        favoritesFolder = (testHome() / "Favorites").string();
        form = new Form1(seams());
        form->Show(); // realised, as the user sees it, so native events reach its widgets
    }
    void TearDown() override
    {
        if (form) // a test that closed the window for good has forgotten it
            form->Destroy();
        runPendingEvents();
    }

    virtual Form1Seams seams()
    {
        Form1Seams s;
        s.createBrowser = [this](wxWindow* parent) {
            auto fake = std::make_unique<FakeBrowser>(parent);
            browser = fake.get();
            return fake;
        };
        s.favoritesFolder = [this] {
            folderLookups.push_back(form && form->TopRatio.exists());
            return favoritesFolder;
        };
        s.reportFailure = [this](const std::string& message) { reports.push_back(message); };
        s.tellUser = [this](const std::string& message) { told.push_back(message); };
        s.ask = [this](const std::string& question) {
            asked.push_back(question);
            return answer;
        };
        s.openFile = [this](const std::string& path) { launched.push_back("open " + path); };
        s.showInFolder = [this](const std::string& path) { launched.push_back("show " + path); };
        s.addFavoriteDialog = [this](wxWindow* owner, const wxString& name, const std::string& folder) {
            dialogCalls.push_back({owner, name, folder});
            return dialogAnswer;
        };
        return s;
    }

    // Runs a handler the way the window's event wiring does.
    void handle(void (Form1::*handler)())
    {
        Form1* window = form;
        window->runHandler([window, handler] { (window->*handler)(); });
    }

    Form1* form = nullptr;
    FakeBrowser* browser = nullptr;
    std::optional<std::string> favoritesFolder;
    std::vector<bool> folderLookups; // at each lookup: whether the layout was captured yet
    std::vector<std::string> reports;
    std::vector<std::string> told;
    std::vector<std::string> asked; // questions, and the answer each gets
    bool answer = false;
    std::vector<std::string> launched; // files opened or shown with the desktop
    struct DialogCall {
        wxWindow* owner;
        wxString name;
        std::string folder;
    };
    std::vector<DialogCall> dialogCalls;
    std::optional<AddFavoriteChoice> dialogAnswer; // cancelled unless set
};

} // namespace zemora::test
