// The horizontal scroll bar's value rules.
#include "settings_dialog/scroll_bar_model.h"

#include <algorithm>

#include "runtime/runtime_error.h"

namespace spindle {

ScrollBarModel::ScrollBarModel(int minimum, int maximum, int smallChange, int largeChange, int value)
    : minimum_(minimum), maximum_(std::max(minimum, maximum)), smallChange_(smallChange),
      largeChange_(largeChange), value_(std::clamp(value, minimum_, maximum_)) {}

int ScrollBarModel::Clamp(int value) const { return std::clamp(value, minimum_, maximum_); }

bool ScrollBarModel::SetValue(int value) {
    if (value < minimum_ || value > maximum_) {
        throw RuntimeError(RuntimeError::Kind::Platform, "invalid property value");
    }
    const bool changed = value != value_;
    value_ = value;
    return changed;
}

ScrollBarModel::Outcome ScrollBarModel::Apply(Action action, int thumbPosition) {
    int target = value_;
    bool scrolling = false;
    switch (action) {
        case Action::LineLeft: target = value_ - smallChange_; break;
        case Action::LineRight: target = value_ + smallChange_; break;
        case Action::PageLeft: target = value_ - largeChange_; break;
        case Action::PageRight: target = value_ + largeChange_; break;
        case Action::ToMinimum: target = minimum_; break;
        case Action::ToMaximum: target = maximum_; break;
        case Action::ThumbTrack:
            target = thumbPosition;
            scrolling = true;
            break;
        case Action::ThumbPosition: target = thumbPosition; break;
    }
    target = Clamp(target);
    const bool changed = target != value_;
    value_ = target;
    return Outcome{changed, scrolling};
}

}  // namespace spindle
