#include <gtest/gtest.h>

#include <set>

#include "base/Addresses.h"
#include "base/Commands.h"
#include "browse/ToolbarCommands.h"

using namespace zemora;

TEST(ToolbarCommands, EachButtonRunsItsOwnCommandAndEachPortalOpensItsAddress)
{
    std::set<std::string_view> addresses;
    for (const ToolbarButtonText& button : kToolbarButtons) {
        SCOPED_TRACE(button.key);
        const std::optional<ToolbarCommand> command = toolbarCommand(button.key);
        ASSERT_TRUE(command);
        EXPECT_EQ(command->command, button.command);
        EXPECT_EQ(command->address, button.address);
        if (command->command == Command::OpenPortal)
            addresses.insert(command->address);
        else
            EXPECT_TRUE(command->address.empty());
    }
    // Six portals, six different front pages, each the portal table's own.
    EXPECT_EQ(addresses.size(), kPortals.size());
    for (const Portal& portal : kPortals)
        EXPECT_EQ(toolbarCommand(portal.key)->address, portal.address) << portal.key;
}

TEST(ToolbarCommands, KeysCompareExactly)
{
    for (const char* unknown : {"", "Back", "BAIDU", "back ", " add", "msn", "xinlang2"})
        EXPECT_FALSE(toolbarCommand(unknown)) << unknown;
}

TEST(ToolbarCommands, EveryCommandCanBeReachedAndNoKeyMeansTwoThings)
{
    std::set<Command> reached;
    for (const ToolbarButtonText& button : kToolbarButtons)
        reached.insert(button.command);
    std::set<std::string_view> keys;
    for (const KeyBinding& binding : kKeyBindings) {
        reached.insert(binding.command);
        EXPECT_TRUE(keys.insert(binding.keys).second) << binding.keys << " bound twice";
    }
    for (int c = static_cast<int>(Command::Back); c <= static_cast<int>(Command::Close); ++c)
        EXPECT_TRUE(reached.count(static_cast<Command>(c))) << "command " << c << " has no key or button";
    // A key that names a button's command finds that button.
    EXPECT_EQ(kToolbarButtons[static_cast<std::size_t>(slotOf(Command::Back)) - 1].key, "back");
    EXPECT_EQ(slotOf(Command::Find), 0) << "no button finds";
}
