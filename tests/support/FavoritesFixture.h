#pragma once
// FormFixture with an empty Favorites folder and the user's favorites actions.
#include <filesystem>

#include <wx/combobox.h>
#include <wx/textctrl.h>

#include "base/Commands.h"
#include "tests/support/Files.h"
#include "tests/support/FormFixture.h"
#include "tests/support/UserActions.h"

namespace zemora::test {

class FavoritesFixture : public FormFixture {
protected:
    void SetUp() override
    {
        FormFixture::SetUp();
        folder = *favoritesFolder;
        std::filesystem::remove_all(folder);
    }

    // Writes a file of the given name in the Favorites folder.
    void writeFile(const std::string& name, const std::string& bytes)
    {
        std::filesystem::create_directories(folder);
        test::writeFile(folder + "/" + name, bytes);
    }
    static std::string readFile(const std::string& path) { return test::readFile(path); }

    // Chooses the favorite at a list position, as a pick from the drop-down does.
    void choose(int position) { chooseFromList(form->Combo2->Window(), position); }

    // What a completed download leaves in the page boxes.
    void pageLoaded(const wxString& name, const wxString& address)
    {
        form->Text1->ChangeValue(name);
        form->Text2->ChangeValue(address);
    }

    void clickAdd() { clickTool(form->Toolbar1->Window(), slotOf("add")); }

    std::string folder;
};

} // namespace zemora::test
