#include "browse/ToolbarCommands.h"
#include "base/Commands.h"

namespace zemora {

std::optional<ToolbarCommand> toolbarCommand(std::string_view key)
{
    if (const int slot = slotOf(key)) {
        const ToolbarButtonText& button = kToolbarButtons[static_cast<std::size_t>(slot) - 1];
        return ToolbarCommand{button.command, button.address};
    }
    return std::nullopt;
}

} // namespace zemora
