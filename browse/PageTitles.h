#pragma once
// A page's title as the window shows it. Text is UTF-8.
#include <string>
#include <string_view>

namespace zemora {

// The most characters of a page's title the window shows.
inline constexpr std::size_t kMaxShownTitle = 200;

// A page's title made safe to show beside our own text (the caption's suffix, the name a
// new favorite is offered): without the controls of writing direction that would turn
// what follows it around, each run of blanks of any kind as one blank, and cut to
// kMaxShownTitle characters with "…" at the end, so whatever follows it is seen as written.
std::string shownTitle(std::string_view title);

// What names a page that has no title (a PDF, a picture): the file name its address ends
// in, "%XX" escapes undone ("年报 2025.pdf"); else its host; else the address. Made safe
// to show as shownTitle() makes a title.
std::string untitledPageName(std::string_view address);

} // namespace zemora
