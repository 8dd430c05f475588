// The horizontal scroll bar's value rules: a value within its minimum and maximum, arrows that
// step by the small change, trough clicks by the large change, and the thumb being dragged.
#pragma once

namespace spindle {

class ScrollBarModel {
public:
    enum class Action { LineLeft, LineRight, PageLeft, PageRight, ToMinimum, ToMaximum, ThumbTrack, ThumbPosition };

    // What an action did: whether the value changed, and whether it was a drag in progress
    // (the Scroll event) rather than a settled change (the Change event).
    struct Outcome {
        bool changed = false;
        bool scrolling = false;
    };

    ScrollBarModel(int minimum, int maximum, int smallChange, int largeChange, int value);

    int Minimum() const { return minimum_; }
    int Maximum() const { return maximum_; }
    int Value() const { return value_; }

    // Sets the value from code. A value outside the range is refused with a RuntimeError and
    // the bar keeps its value. Returns whether the value changed.
    bool SetValue(int value);

    // The user's action; thumbPosition is where the thumb is for the two thumb actions.
    Outcome Apply(Action action, int thumbPosition = 0);

private:
    int Clamp(int value) const;

    int minimum_;
    int maximum_;
    int smallChange_;
    int largeChange_;
    int value_;
};

}  // namespace spindle
