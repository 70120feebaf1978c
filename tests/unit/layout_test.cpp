#include <gtest/gtest.h>

#include <map>

#include "base/Failure.h"
#include "base/Layout.h"

using namespace zemora;

namespace {

// A control whose properties can be missing or refuse values.
struct FakeControl : LayoutControl {
    std::map<Prop, float> props;
    std::map<Prop, bool> refuses;
    bool menu = false;

    bool IsMenu() const override { return menu; }
    float Get(Prop p) const override
    {
        auto it = props.find(p);
        if (it == props.end())
            throw Failure("无此属性", "No such property");
        return it->second;
    }
    void Set(Prop p, float v) override
    {
        if (!props.count(p) || refuses.count(p))
            throw Failure("无效的属性值", "Invalid property value");
        props[p] = v;
    }
};

FakeControl sized(float left, float top, float width, float height)
{
    FakeControl c;
    c.props = {{Prop::Left, left}, {Prop::Top, top}, {Prop::Width, width}, {Prop::Height, height}};
    return c;
}

struct FakeHost : LayoutHost {
    float width = 9945, height = 7785;
    std::vector<FakeControl*> controls;
    float ScaleWidth() const override { return width; }
    float ScaleHeight() const override { return height; }
    std::vector<LayoutControl*> Controls() override { return {controls.begin(), controls.end()}; }
};

} // namespace

TEST(Layout, WorkedExampleScalesTheBrowserControl)
{
    FakeControl browser = sized(0, 1440, 9970, 6015);
    FakeHost host;
    host.controls = {&browser};
    LayoutState s;
    captureLayout(s, host);

    EXPECT_EQ(s.CtlCount, 1);
    EXPECT_NEAR(*s.TopRatio.at(1), 0.184971f, 1e-6);
    EXPECT_EQ(*s.LeftRatio.at(1), 0.0f);
    EXPECT_NEAR(*s.HeightRatio.at(1), 0.772640f, 1e-6);
    EXPECT_NEAR(*s.WidthRatio.at(1), 1.002514f, 1e-6);
    EXPECT_FALSE(s.TopRatio.at(0).has_value()) << "slot 0 stays unused";

    host.width = 12000;
    host.height = 9000;
    applyLayout(s, host);
    EXPECT_NEAR(browser.props[Prop::Top], 1664.74f, 0.01);
    EXPECT_EQ(browser.props[Prop::Left], 0.0f);
    EXPECT_NEAR(browser.props[Prop::Height], 6953.76f, 0.01);
    EXPECT_NEAR(browser.props[Prop::Width], 12030.17f, 0.01);
}

TEST(Layout, ResizeBeforeCaptureChangesNothing)
{
    FakeControl c = sized(10, 20, 30, 40);
    FakeHost host;
    host.controls = {&c};
    LayoutState s;
    applyLayout(s, host);
    EXPECT_EQ(c.props, sized(10, 20, 30, 40).props);
    EXPECT_FALSE(s.TopRatio.exists());
}

TEST(Layout, MissingOrRefusedPropertiesFailAloneAndKeepSlotsAligned)
{
    FakeControl timer; // a position and no size
    timer.props = {{Prop::Left, 6600}, {Prop::Top, 3960}};
    FakeControl nothing; // every statement fails for it
    FakeControl refusing = sized(100, 200, 300, 400);
    refusing.refuses[Prop::Height] = true;
    FakeControl last = sized(9945, 7785, 9945, 7785);
    FakeControl menu = sized(1, 1, 1, 1);
    menu.menu = true;

    FakeHost host;
    host.controls = {&timer, &menu, &nothing, &refusing, &last};
    LayoutState s;
    captureLayout(s, host);

    EXPECT_EQ(s.CtlCount, 4) << "menu items take no slot";
    EXPECT_EQ(s.WidthRatio.upperBound(), 4);
    EXPECT_TRUE(s.LeftRatio.at(1).has_value());
    EXPECT_FALSE(s.WidthRatio.at(1).has_value());
    EXPECT_FALSE(s.TopRatio.at(2).has_value());
    EXPECT_FLOAT_EQ(*s.WidthRatio.at(4), 1.0f);

    host.width *= 2;
    applyLayout(s, host);
    EXPECT_FLOAT_EQ(timer.props[Prop::Left], 13200);
    EXPECT_EQ(timer.props.count(Prop::Width), 0u) << "writes of a missing property fail";
    EXPECT_FLOAT_EQ(refusing.props[Prop::Width], 600);
    EXPECT_FLOAT_EQ(refusing.props[Prop::Left], 200);
    EXPECT_FLOAT_EQ(refusing.props[Prop::Top], 200);
    EXPECT_FLOAT_EQ(refusing.props[Prop::Height], 400) << "the refused write alone is skipped";
    EXPECT_FLOAT_EQ(last.props[Prop::Width], 19890);
    EXPECT_FLOAT_EQ(last.props[Prop::Height], 7785) << "height unchanged with width only";
    EXPECT_FLOAT_EQ(menu.props[Prop::Left], 1);
}

TEST(Layout, SizeZeroCollapsesAndTheNextRealSizeRestores)
{
    FakeControl c = sized(840, 1080, 3975, 300);
    FakeHost host;
    host.controls = {&c};
    LayoutState s;
    captureLayout(s, host);

    host.width = host.height = 0;
    applyLayout(s, host);
    EXPECT_EQ(c.props, sized(0, 0, 0, 0).props);

    host.width = 9945;
    host.height = 7785;
    applyLayout(s, host);
    EXPECT_NEAR(c.props[Prop::Left], 840, 0.01);
    EXPECT_NEAR(c.props[Prop::Top], 1080, 0.01);
    EXPECT_NEAR(c.props[Prop::Width], 3975, 0.01);
    EXPECT_NEAR(c.props[Prop::Height], 300, 0.01);
}

TEST(Layout, CaptureAtSizeZeroLeavesSlotsEmpty)
{
    FakeControl c = sized(840, 1080, 3975, 300);
    FakeHost host;
    host.controls = {&c};
    host.width = 0;
    LayoutState s;
    captureLayout(s, host);
    EXPECT_FALSE(s.LeftRatio.at(1).has_value()) << "division by zero fails";
    EXPECT_TRUE(s.TopRatio.at(1).has_value());
}

TEST(Layout, CounterStopsAt32767AndLaterControlsShareTheLastSlot)
{
    std::int16_t counter = 32766;
    raiseCounter(counter);
    EXPECT_EQ(counter, 32767);
    EXPECT_THROW(raiseCounter(counter), Failure);
    EXPECT_EQ(counter, 32767);
}
