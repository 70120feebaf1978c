#include <gtest/gtest.h>

#include <set>

#include "base/Commands.h"
#include "browse/ToolbarCommands.h"

using namespace zemora;

TEST(ToolbarCommands, AButtonRunsItsCommandAndAPortalButtonOpensItsFrontPage)
{
    struct Row {
        const char* key;
        Command command;
        std::string_view address;
    };
    const Row rows[] = {
        {"back", Command::Back, ""},
        {"forward", Command::Forward, ""},
        {"refresh", Command::Refresh, ""},
        {"add", Command::AddFavorite, ""},
        {"baidu", Command::OpenPortal, "http://www.baidu.com"},
        {"MSN", Command::OpenPortal, "http://www.msn.cn"},
        {"xinlang", Command::OpenPortal, "http://www.sina.com.cn"},
    };
    for (const Row& row : rows) {
        const std::optional<ToolbarCommand> command = toolbarCommand(row.key);
        ASSERT_TRUE(command) << row.key;
        EXPECT_EQ(command->command, row.command) << row.key;
        EXPECT_EQ(command->address, row.address) << row.key;
    }
    // Keys compare exactly; a window key is not a button.
    for (const char* unknown : {"", "Back", "BAIDU", "back ", " add", "msn", "xinlang2", "F5", "Ctrl+R"})
        EXPECT_FALSE(toolbarCommand(unknown)) << unknown;
}

// Slot n shows picture n of the image list, and the window enables back and forward by slot.
TEST(ToolbarCommands, ButtonsSitInTheirPicturesSlots)
{
    EXPECT_EQ(slotOf("back"), 1);
    EXPECT_EQ(slotOf("forward"), 3);
    EXPECT_EQ(slotOf("stop"), 5);
    EXPECT_EQ(slotOf("baidu"), 6);
    EXPECT_EQ(slotOf("add"), 12);
    EXPECT_EQ(slotOf("nothing"), 0);
    EXPECT_EQ(slotOf(Command::Back), 1);
    EXPECT_EQ(slotOf(Command::Forward), 3);
    EXPECT_EQ(slotOf(Command::Find), 0) << "no button finds";
}

// The window runs the first row a key matches: a second row for the same key would never
// run, and a command without a key or a button could not be reached at all.
TEST(ToolbarCommands, NoKeyIsBoundTwiceAndEveryCommandCanBeReached)
{
    std::set<Command> reached;
    for (const ToolbarButtonText& button : kToolbarButtons)
        reached.insert(button.command);
    std::set<std::string_view> keys;
    for (const KeyBinding& binding : kKeyBindings) {
        reached.insert(binding.command);
        EXPECT_TRUE(keys.insert(binding.keys).second) << binding.keys << " bound twice";
    }
    for (int c = static_cast<int>(Command::Back); c <= static_cast<int>(Command::Print); ++c)
        EXPECT_TRUE(reached.count(static_cast<Command>(c))) << "command " << c << " has no key or button";
}
