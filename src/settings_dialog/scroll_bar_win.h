// A horizontal scroll bar control whose value follows the scroll bar rules: it raises Change
// when its value changes (from code too) and Scroll while the thumb is dragged.
#pragma once

#include <windows.h>

#include <functional>

#include "settings_dialog/scroll_bar_model.h"

namespace spindle {

class HorizontalScrollBar {
public:
    HorizontalScrollBar(int minimum, int maximum, int smallChange, int largeChange, int value)
        : model_(minimum, maximum, smallChange, largeChange, value) {}
    HorizontalScrollBar(const HorizontalScrollBar&) = delete;
    HorizontalScrollBar& operator=(const HorizontalScrollBar&) = delete;

    // Position in the parent's pixels.
    bool Create(HWND parent, const RECT& bounds, int controlId);
    HWND Window() const { return window_; }

    int Value() const { return model_.Value(); }
    // A value outside the range throws RuntimeError and the bar keeps its value.
    void SetValue(int value);

    // The parent's WM_HSCROLL; true when it came from this bar.
    bool HandleScroll(WPARAM wParam, LPARAM lParam);

    std::function<void()> onChange;
    std::function<void()> onScroll;

private:
    void ShowValue() const;

    ScrollBarModel model_;
    HWND window_ = nullptr;
};

}  // namespace spindle
