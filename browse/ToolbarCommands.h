#pragma once
// What each toolbar button does, by its key. Keys compare exactly (case included); a key
// no button has does nothing.
#include <optional>
#include <string_view>

#include "base/Commands.h"

namespace zemora {

struct ToolbarCommand {
    Command command;
    std::string_view address; // for OpenPortal: the portal's address
};

std::optional<ToolbarCommand> toolbarCommand(std::string_view key);

} // namespace zemora
