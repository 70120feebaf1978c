#pragma once
// Bounds and timings the program keeps to. Times are in milliseconds.
#include <cstddef>

namespace zemora {

// ---- Timing ----

// The one interval auto refresh runs at, in milliseconds.
inline constexpr int kRefreshInterval = 60000;
// How long the favorites list waits for a burst of changes to the Favorites folder to
// settle before it lists the folder again, in milliseconds.
inline constexpr int kFavoritesSettleTime = 200;

// A page that loads its own address again within this time of its last dialog counts on.
inline constexpr int kDialogCountAcrossReloadsMs = 10000;
// A page that does not answer for this long is ended when the user navigates away from it.
inline constexpr int kUnansweredNavigationMs = 4000;
// The user does not click again within this time of a click or key: a download a page
// starts later was not asked for.
inline constexpr int kUserActivationMs = 5000;

// ---- Bounds ----

// Larger shortcut or INI files are refused: none of ours comes near it.
inline constexpr std::size_t kMaxSmallFileSize = std::size_t{1024} * 1024;
// Deep enough for any folder tree people keep in the add-to-favorites dialog; a bound all
// the same, since a bind mount or a hostile layout could otherwise go on for ever.
inline constexpr int kMaxFolderDepth = 8;
// A drop-down with more entries than this opens a list of ours, which shows this many rows.
inline constexpr int kLongListEntries = 300;
inline constexpr int kLongListRows = 20;
// The banner names at most this many bytes of an address a page asked for.
inline constexpr std::size_t kMaxToldAddress = 300;
// Asked once a page has shown this many dialogs in a row.
inline constexpr int kDialogsBeforeOffer = 3;

} // namespace zemora
