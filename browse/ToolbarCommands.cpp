#include "browse/ToolbarCommands.h"

#include "base/Settings.h"

namespace zemora {

ToolbarCommand toolbarCommand(std::string_view key)
{
    struct Fixed {
        std::string_view key;
        ToolbarAction action;
    };
    static constexpr Fixed kFixed[] = {
        {"back", ToolbarAction::Back},       {"forward", ToolbarAction::Forward},
        {"refresh", ToolbarAction::Refresh}, {"stop", ToolbarAction::Stop},
        {"home", ToolbarAction::Home},
    };
    for (const Fixed& fixed : kFixed)
        if (key == fixed.key)
            return {fixed.action, {}};
    for (const Portal& portal : kPortals)
        if (key == portal.key)
            return {ToolbarAction::Open, portal.address};
    if (key == "add")
        return {ToolbarAction::AddFavorite, {}};
    return {};
}

} // namespace zemora
