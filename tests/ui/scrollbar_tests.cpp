// Scroll bars: which end holds the minimum when it exceeds the maximum, the
// direction of the arrows and page steps, refusal of values out of range, and
// one change event per move.
#include "ui/form.h"
#include "ui/scrollbar.h"

#include <QCoreApplication>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <string>

namespace tw::ui {
namespace {

struct MoveRow {
    const char *name;
    Qt::Orientation orientation;
    int min;
    int max;
    int small;
    int large;
    int start;
    QAbstractSlider::SliderAction action;
    int expected;
};

class ScrollBarMoveTest : public ::testing::TestWithParam<MoveRow> {
protected:
    Form form;
};

TEST_P(ScrollBarMoveTest, UserActionMovesTheValueAndFiresOneChange) {
    const MoveRow &row = GetParam();
    ScrollBar &bar
        = form.add<ScrollBar>(TwipRect { 0, 0, 255, 1455 }, row.orientation, row.min, row.max);
    bar.setSmallChange(row.small);
    bar.setLargeChange(row.large);
    ASSERT_TRUE(bar.setValue(row.start));
    int changes = 0;
    int valueSeen = 0;
    bar.onChange = [&] {
        ++changes;
        valueSeen = bar.value();
    };

    bar.scrollBar()->triggerAction(row.action);

    EXPECT_EQ(bar.value(), row.expected);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(valueSeen, row.expected);
}

using A = QAbstractSlider;
INSTANTIATE_TEST_SUITE_P(Ends, ScrollBarMoveTest,
    ::testing::Values(
        // Hue bar 202 at the top: the top end is 202 and the up arrow adds.
        MoveRow {
            "HueTopEndIsTheMinimum", Qt::Vertical, 202, 0, 1, 10, 10, A::SliderToMinimum, 202 },
        MoveRow { "HueBottomEnd", Qt::Vertical, 202, 0, 1, 10, 10, A::SliderToMaximum, 0 },
        MoveRow {
            "HueUpArrowIncreases", Qt::Vertical, 202, 0, 1, 10, 10, A::SliderSingleStepSub, 11 },
        MoveRow {
            "HueDownArrowDecreases", Qt::Vertical, 202, 0, 1, 10, 10, A::SliderSingleStepAdd, 9 },
        MoveRow {
            "UpArrowStopsAtTheTop", Qt::Vertical, 202, 0, 1, 10, 201, A::SliderSingleStepSub, 202 },
        MoveRow { "GammaPageUp", Qt::Vertical, 30, 10, 1, 5, 22, A::SliderPageStepSub, 27 },
        // The tint slider runs upwards from 50 at the top to 100 at the bottom.
        MoveRow { "TintPageUp", Qt::Vertical, 50, 100, 1, 10, 100, A::SliderPageStepSub, 90 },
        MoveRow { "ValueInHundredthsUpArrow", Qt::Vertical, 950, 100, 10, 100, 500,
            A::SliderSingleStepSub, 510 },
        MoveRow {
            "RotateLeftArrow", Qt::Horizontal, -180, 180, 1, 20, 0, A::SliderSingleStepSub, -1 },
        MoveRow {
            "RotateRightPage", Qt::Horizontal, -180, 180, 1, 20, 170, A::SliderPageStepAdd, 180 }),
    [](const auto &info) { return std::string(info.param.name); });

class ScrollBarTest : public ::testing::Test {
protected:
    Form form;
    ScrollBar &hue = form.add<ScrollBar>(TwipRect { 2400, 720, 132, 252 }, Qt::Vertical, 202, 0);
    int changes = 0;

    void SetUp() override {
        hue.onChange = [this] { ++changes; };
    }
};

TEST_F(ScrollBarTest, StartsAtTheMinimum) {
    EXPECT_EQ(hue.value(), 202);
    EXPECT_EQ(hue.scrollBar()->value(), 0) << "the minimum sits at the top end";
}

TEST_F(ScrollBarTest, WriteFromCodeFiresChangeOnceBeforeReturning) {
    EXPECT_TRUE(hue.setValue(10));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(hue.value(), 10);
    QCoreApplication::processEvents();
    EXPECT_EQ(changes, 1);

    EXPECT_TRUE(hue.setValue(10));
    EXPECT_EQ(changes, 1) << "no change, no event";
}

TEST_F(ScrollBarTest, ValueOutOfRangeIsRefusedAndLeavesTheBarAlone) {
    ASSERT_TRUE(hue.setValue(100));
    changes = 0;
    EXPECT_FALSE(hue.setValue(203));
    EXPECT_FALSE(hue.setValue(-1));
    EXPECT_EQ(hue.value(), 100);
    EXPECT_EQ(changes, 0);

    EXPECT_TRUE(hue.setValue(202));
    EXPECT_TRUE(hue.setValue(0));
    EXPECT_EQ(changes, 2);
}

TEST_F(ScrollBarTest, DragReportsOneChangeWhenTheThumbIsReleased) {
    QScrollBar *bar = hue.scrollBar();
    bar->setSliderDown(true);
    bar->setSliderPosition(50);
    bar->setSliderPosition(60);
    EXPECT_EQ(changes, 0);
    bar->setSliderDown(false);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(hue.value(), 202 - 60);
}

TEST_F(ScrollBarTest, NewRangeKeepsAValueInsideAndClampsOneOutside) {
    ASSERT_TRUE(hue.setValue(30));
    changes = 0;

    hue.setRange(40, 0);
    EXPECT_EQ(hue.value(), 30);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(hue.scrollBar()->value(), 10) << "position recomputed for the new top";

    hue.setRange(20, 1);
    EXPECT_EQ(hue.value(), 20);
    EXPECT_EQ(changes, 1);

    hue.setMax(25);
    EXPECT_EQ(hue.min(), 20);
    EXPECT_EQ(hue.max(), 25);
    EXPECT_EQ(hue.value(), 20);
}

} // namespace
} // namespace tw::ui
