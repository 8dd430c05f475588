// Windowless controls in a picture box: which control a click reaches, and the capture every
// press takes. (Their painting is seen on screen by the dialog's end-to-end test.)
#include <windows.h>

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

#include "runtime/windowless_host_win.h"

namespace spindle {
namespace {

TEST(WindowlessHost, ClickReachesTheTopmostControlThatTakesTheMouseWhenReleasedOverIt) {
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
    PictureBox box;
    ASSERT_TRUE(parent && box.Create(parent, RECT{0, 0, 200, 100}, 7, false));
    int label = 0, image = 0;
    box.Host().Add<WindowlessLabel>(RECT{10, 10, 60, 30}).onClick = [&] { ++label; };
    box.Host().Add<WindowlessImage>(RECT{40, 10, 80, 30}).onClick = [&] { ++image; };
    box.Host().Add<WindowlessShape>(RECT{0, 0, 100, 50});  // a frame over both lets clicks through
    for (auto [down, up, labelClicks, imageClicks] :
         {std::tuple{POINT{20, 20}, POINT{20, 20}, 1, 0}, {{50, 20}, {50, 20}, 0, 1},  // the later lies on top
          {{20, 20}, {70, 20}, 0, 0}, {{20, 20}, {150, 80}, 0, 0}, {{150, 80}, {150, 80}, 0, 0}}) {  // released elsewhere
        label = image = 0;
        SendMessageW(box.Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(down.x, down.y));
        SendMessageW(box.Window(), WM_LBUTTONUP, 0, MAKELPARAM(up.x, up.y));
        EXPECT_EQ(std::pair(label, image), std::pair(labelClicks, imageClicks)) << down.x << " to " << up.x;
    }

    // Every press captures the mouse for the box, wherever it lands; only the last release frees it.
    // (A double-click's second press: the dialog's window test, with real input.)
    for (auto [message, buttons, captured] :
         {std::tuple{WM_RBUTTONDOWN, MK_RBUTTON, true}, {WM_LBUTTONDOWN, MK_RBUTTON | MK_LBUTTON, true},
          {WM_LBUTTONUP, MK_RBUTTON, true}, {WM_RBUTTONUP, 0, false}}) {
        SendMessageW(box.Window(), message, buttons, MAKELPARAM(150, 80));
        EXPECT_EQ(GetCapture() == box.Window(), captured) << std::hex << message;
    }
    DestroyWindow(parent);
    EXPECT_EQ(box.Host().Window(), nullptr);  // detached with its window
}

}  // namespace
}  // namespace spindle
