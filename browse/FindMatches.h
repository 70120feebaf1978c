#pragma once
// Which match of a search in the page is the current one.

namespace zemora {

// The match (from 1) a step forward or back from `current` reaches among `matches`,
// wrapping around at either end; a search that has just begun (current 0) stands on the
// first match, or on the last going back. 0 when there are none.
constexpr unsigned steppedMatch(unsigned current, unsigned matches, bool backwards)
{
    if (matches == 0)
        return 0;
    if (current == 0 || current > matches)
        return backwards ? matches : 1;
    return backwards ? (current == 1 ? matches : current - 1) : (current == matches ? 1 : current + 1);
}

} // namespace zemora
