#pragma once
// What each toolbar button does, by its key. Keys compare exactly (case included); a key
// the table does not know does nothing.
#include <string_view>

namespace zemora {

enum class ToolbarAction { None, Back, Forward, Refresh, Stop, Home, Open, AddFavorite };

struct ToolbarCommand {
    ToolbarAction action = ToolbarAction::None;
    std::string_view address; // for Open: the portal's address
};

ToolbarCommand toolbarCommand(std::string_view key);

} // namespace zemora
