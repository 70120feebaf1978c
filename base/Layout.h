#pragma once
// Proportional layout: positions and sizes recorded once as fractions of the window's
// inner size, then re-applied from those fractions on every resize. Pure arithmetic over
// an abstract control collection, so it runs without a display.
#include <cstdint>
#include <optional>
#include <vector>

namespace zemora {

enum class Prop { Top, Left, Height, Width };

// One entry of the window's control collection. Get and Set throw Failure when the
// control lacks the property or refuses the value.
class LayoutControl {
public:
    virtual ~LayoutControl() = default;
    virtual bool IsMenu() const { return false; }
    virtual float Get(Prop p) const = 0;
    virtual void Set(Prop p, float value) = 0;
};

// The window as the layout passes see it: its inner size in twips and its controls in
// creation order.
class LayoutHost {
public:
    virtual ~LayoutHost() = default;
    virtual float ScaleWidth() const = 0;
    virtual float ScaleHeight() const = 0;
    virtual std::vector<LayoutControl*> Controls() = 0;
};

// A growable array of values that are empty until set; absent until first grown.
class RatioArray {
public:
    bool exists() const { return slots_.has_value(); }
    // Bounds become 0 to n, keeping every existing slot.
    void redimPreserve(int n);
    // Throws when the array is absent or n lies outside its bounds.
    std::optional<float>& at(int n);
    // An empty slot counts as 0.
    float valueAt(int n) { return at(n).value_or(0.0f); }
    int upperBound() const { return slots_ ? static_cast<int>(slots_->size()) - 1 : -1; }

private:
    std::optional<std::vector<std::optional<float>>> slots_;
};

struct LayoutState {
    std::int16_t CtlCount = 0;
    RatioArray TopRatio, LeftRatio, HeightRatio, WidthRatio;
};

// Raises a signed 16-bit counter; fails, leaving it unchanged, at 32767.
void raiseCounter(std::int16_t& counter);

// Both passes skip each failing statement on its own.
void captureLayout(LayoutState& state, LayoutHost& host);
void applyLayout(LayoutState& state, LayoutHost& host);

} // namespace zemora
