#pragma once
// What the toolbar's buttons and the window's keys do, and the zoom steps they walk.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/Addresses.h"

namespace zemora {

// ---- Commands ----

// What a toolbar button or a key does. Form1::run() handles each in one switch, so a
// command added here and to a table below without its handler does not compile.
enum class Command {
    Back,
    Forward,
    Refresh,
    Stop,
    Home,
    OpenPortal, // the button's portal address
    AddFavorite,
    FocusAddress,
    Find,
    ZoomIn,
    ZoomOut,
    ZoomReset,
    Close,
    Undo, // in a text field of the page
    Redo,
    Downloads, // the downloads list
    Print,
};

// ---- Toolbar ----

struct ToolbarButtonText {
    std::string_view key;
    std::string_view caption;
    Command command;
    std::string_view address = {}; // for OpenPortal
};

constexpr ToolbarButtonText portalButton(const Portal& portal)
{
    return {portal.key, portal.caption, Command::OpenPortal, portal.address};
}

// The buttons in slot order; slot n (from 1) shows picture n of the image list.
inline constexpr auto kToolbarButtons = std::to_array<ToolbarButtonText>({
    {"back", "Back", Command::Back},
    {"home", "Home", Command::Home},
    {"forward", "Forward", Command::Forward},
    {"refresh", "Refresh", Command::Refresh},
    {"stop", "Stop", Command::Stop},
    portalButton(kPortals[0]),
    portalButton(kPortals[1]),
    portalButton(kPortals[2]),
    portalButton(kPortals[3]),
    portalButton(kPortals[4]),
    portalButton(kPortals[5]),
    {"add", "添加收藏", Command::AddFavorite},
});

// The slot (from 1) of the button with this key; 0 for none.
constexpr int slotOf(std::string_view key)
{
    for (std::size_t i = 0; i < kToolbarButtons.size(); ++i)
        if (kToolbarButtons[i].key == key)
            return static_cast<int>(i) + 1;
    return 0;
}

// The slot (from 1) of the first button that runs this command; 0 for none.
constexpr int slotOf(Command command)
{
    for (std::size_t i = 0; i < kToolbarButtons.size(); ++i)
        if (kToolbarButtons[i].command == command)
            return static_cast<int>(i) + 1;
    return 0;
}

// ---- Keys ----

// The character code Enter (and keypad Enter) hands the address box's key handler.
inline constexpr std::int16_t kKeyEnter = 13;

// The window's keys, wherever the focus is. Shift is part of a key only where the table
// names it ("Ctrl+Shift+Z"); otherwise "Ctrl+R" is also Ctrl+Shift+R, and "Ctrl+Plus" is
// Ctrl with "+", "=" or the keypad's "+".
struct KeyBinding {
    std::string_view keys;
    Command command;
};

inline constexpr auto kKeyBindings = std::to_array<KeyBinding>({
    {"F5", Command::Refresh},          {"Ctrl+R", Command::Refresh},     {"Alt+Left", Command::Back},
    {"Alt+Right", Command::Forward},   {"Alt+Home", Command::Home},      {"Esc", Command::Stop},
    {"Ctrl+L", Command::FocusAddress}, {"Alt+D", Command::FocusAddress}, {"F6", Command::FocusAddress},
    {"Ctrl+D", Command::AddFavorite},  {"Ctrl+F", Command::Find},        {"Ctrl+Plus", Command::ZoomIn},
    {"Ctrl+Minus", Command::ZoomOut},  {"Ctrl+0", Command::ZoomReset},   {"Ctrl+W", Command::Close},
    {"Ctrl+Q", Command::Close},        {"Ctrl+Z", Command::Undo},        {"Ctrl+Shift+Z", Command::Redo},
    {"Ctrl+J", Command::Downloads},    {"Ctrl+P", Command::Print},
});

// ---- Page zoom ----

// The steps Ctrl+Plus and Ctrl+Minus (and Ctrl+wheel) walk through; 1 is the page's own size.
inline constexpr auto kZoomLevels = std::to_array({0.3, 0.5, 0.67, 0.8, 0.9, 1.0, 1.1, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0});

} // namespace zemora
