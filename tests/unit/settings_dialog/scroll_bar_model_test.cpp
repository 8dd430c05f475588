// The speed bar's value rules: refused values, arrows, trough clicks and the dragged thumb.
#include "settings_dialog/scroll_bar_model.h"

#include <gtest/gtest.h>

#include "runtime/runtime_error.h"

namespace spindle {
namespace {

using Action = ScrollBarModel::Action;

ScrollBarModel SpeedBar() { return ScrollBarModel(1, 50, 1, 1, 1); }

TEST(ScrollBarModel, ValueOutsideTheRangeIsRefusedAndKept) {
    ScrollBarModel bar = SpeedBar();
    for (int refused : {0, 51, 75, -3, 32767}) {
        EXPECT_THROW(bar.SetValue(refused), RuntimeError) << refused;
        EXPECT_EQ(bar.Value(), 1);
    }
    EXPECT_TRUE(bar.SetValue(50));
    EXPECT_FALSE(bar.SetValue(50));
    EXPECT_EQ(bar.Value(), 50);
}

TEST(ScrollBarModel, ActionsMoveByOneAndStopAtTheEnds) {
    struct Case {
        int start;
        Action action;
        int thumb;
        int value;
        bool changed;
        bool scrolling;
    };
    for (const Case& c : {Case{25, Action::LineRight, 0, 26, true, false}, Case{25, Action::LineLeft, 0, 24, true, false},
                          Case{25, Action::PageRight, 0, 26, true, false}, Case{25, Action::PageLeft, 0, 24, true, false},
                          Case{50, Action::LineRight, 0, 50, false, false}, Case{1, Action::LineLeft, 0, 1, false, false},
                          Case{1, Action::PageLeft, 0, 1, false, false}, Case{7, Action::ToMaximum, 0, 50, true, false},
                          Case{7, Action::ToMinimum, 0, 1, true, false}, Case{7, Action::ThumbTrack, 30, 30, true, true},
                          Case{7, Action::ThumbPosition, 30, 30, true, false},
                          Case{7, Action::ThumbTrack, 99, 50, true, true}, Case{7, Action::ThumbPosition, -4, 1, true, false}}) {
        ScrollBarModel bar = SpeedBar();
        bar.SetValue(c.start);
        const ScrollBarModel::Outcome outcome = bar.Apply(c.action, c.thumb);
        EXPECT_EQ(bar.Value(), c.value) << c.start << " action " << static_cast<int>(c.action);
        EXPECT_EQ(outcome.changed, c.changed) << c.start << " action " << static_cast<int>(c.action);
        EXPECT_EQ(outcome.scrolling, c.scrolling) << c.start << " action " << static_cast<int>(c.action);
    }
}

TEST(ScrollBarModel, InitialValueIsKeptWithinTheRange) {
    EXPECT_EQ(ScrollBarModel(1, 50, 1, 1, 0).Value(), 1);
    EXPECT_EQ(ScrollBarModel(1, 50, 1, 1, 80).Value(), 50);
}

}  // namespace
}  // namespace spindle
