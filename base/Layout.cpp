#include "base/Layout.h"

#include <limits>

#include "base/ErrorSkipping.h"
#include "base/Failure.h"
#include "base/Texts.h"

namespace zemora {

void RatioArray::redimPreserve(int n)
{
    if (!slots_)
        slots_.emplace();
    slots_->resize(static_cast<std::size_t>(n) + 1);
}

std::optional<float>& RatioArray::at(int n)
{
    if (!slots_ || n < 0 || n > upperBound())
        throw Failure(kSubscriptOutOfRange);
    return (*slots_)[static_cast<std::size_t>(n)];
}

void raiseCounter(std::int16_t& counter)
{
    if (counter == std::numeric_limits<std::int16_t>::max())
        throw Failure(kOverflow);
    ++counter;
}

namespace {

float divide(float dividend, float divisor)
{
    if (divisor == 0.0f)
        throw Failure(kDivisionByZero);
    return dividend / divisor;
}

// Both passes count the controls the same way, so slot n is the same control in each.
template <class Body> void forEachSlot(LayoutState& s, LayoutHost& host, Body body)
{
    s.CtlCount = 0;
    for (LayoutControl* c : host.Controls()) {
        if (c->IsMenu())
            continue;
        skipError([&] { raiseCounter(s.CtlCount); });
        body(*c, static_cast<int>(s.CtlCount));
    }
}

} // namespace

void captureLayout(LayoutState& s, LayoutHost& host)
{
    forEachSlot(s, host, [&](LayoutControl& c, int n) {
        skipError([&] { s.TopRatio.redimPreserve(n); });
        skipError([&] { s.LeftRatio.redimPreserve(n); });
        skipError([&] { s.HeightRatio.redimPreserve(n); });
        skipError([&] { s.WidthRatio.redimPreserve(n); });
        skipError([&] { s.TopRatio.at(n) = divide(c.Get(Prop::Top), host.ScaleHeight()); });
        skipError([&] { s.LeftRatio.at(n) = divide(c.Get(Prop::Left), host.ScaleWidth()); });
        skipError([&] { s.HeightRatio.at(n) = divide(c.Get(Prop::Height), host.ScaleHeight()); });
        skipError([&] { s.WidthRatio.at(n) = divide(c.Get(Prop::Width), host.ScaleWidth()); });
    });
}

void applyLayout(LayoutState& s, LayoutHost& host)
{
    forEachSlot(s, host, [&](LayoutControl& c, int n) {
        skipError([&] { c.Set(Prop::Top, s.TopRatio.valueAt(n) * host.ScaleHeight()); });
        skipError([&] { c.Set(Prop::Left, s.LeftRatio.valueAt(n) * host.ScaleWidth()); });
        skipError([&] { c.Set(Prop::Height, s.HeightRatio.valueAt(n) * host.ScaleHeight()); });
        skipError([&] { c.Set(Prop::Width, s.WidthRatio.valueAt(n) * host.ScaleWidth()); });
    });
}

} // namespace zemora
