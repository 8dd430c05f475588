// The horizontal scroll bar control.
#include "settings_dialog/scroll_bar_win.h"

namespace spindle {

bool HorizontalScrollBar::Create(HWND parent, const RECT& bounds, int controlId) {
    window_ = CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | SBS_HORZ, bounds.left,
                              bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), GetModuleHandleW(nullptr),
                              nullptr);
    ShowValue();
    return window_ != nullptr;
}

void HorizontalScrollBar::ShowValue() const {
    if (!window_) return;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_POS | SIF_PAGE;
    info.nMin = model_.Minimum();
    info.nMax = model_.Maximum();
    info.nPage = 0;
    info.nPos = model_.Value();
    SetScrollInfo(window_, SB_CTL, &info, TRUE);
}

void HorizontalScrollBar::SetValue(int value) {
    const bool changed = model_.SetValue(value);
    ShowValue();
    if (changed && onChange) onChange();
}

bool HorizontalScrollBar::HandleScroll(WPARAM wParam, LPARAM lParam) {
    if (!window_ || reinterpret_cast<HWND>(lParam) != window_) return false;
    using Action = ScrollBarModel::Action;
    Action action;
    int thumb = 0;
    switch (LOWORD(wParam)) {
        case SB_LINELEFT: action = Action::LineLeft; break;
        case SB_LINERIGHT: action = Action::LineRight; break;
        case SB_PAGELEFT: action = Action::PageLeft; break;
        case SB_PAGERIGHT: action = Action::PageRight; break;
        case SB_LEFT: action = Action::ToMinimum; break;
        case SB_RIGHT: action = Action::ToMaximum; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            // The 32-bit track position; the message itself carries only 16 bits.
            SCROLLINFO info{};
            info.cbSize = sizeof info;
            info.fMask = SIF_TRACKPOS;
            GetScrollInfo(window_, SB_CTL, &info);
            thumb = info.nTrackPos;
            action = LOWORD(wParam) == SB_THUMBTRACK ? Action::ThumbTrack : Action::ThumbPosition;
            break;
        }
        default:
            return true;  // SB_ENDSCROLL
    }
    const ScrollBarModel::Outcome outcome = model_.Apply(action, thumb);
    ShowValue();
    if (!outcome.changed) return true;
    if (outcome.scrolling) {
        if (onScroll) onScroll();
    } else if (onChange) {
        onChange();
    }
    return true;
}

}  // namespace spindle
