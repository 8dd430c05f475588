// Windowless controls in a picture box: which control a click reaches, the capture every press
// takes, and double-clicks. (Their painting is seen on screen by the dialog's end-to-end test.)
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

    // Every press captures the mouse for the box, wherever it lands; the last release frees it.
    // The second press of a double-click raises DblClick, and its release no Click.
    int labelDouble = 0;
    label = 0;
    box.Host().ControlAt(POINT{20, 20})->onDblClick = [&] { ++labelDouble; };
    const struct { UINT message; WPARAM buttons; POINT at; int clicks, doubles; bool captured; } steps[] = {
        {WM_RBUTTONDOWN, MK_RBUTTON, {150, 80}, 0, 0, true}, {WM_LBUTTONDOWN, MK_RBUTTON | MK_LBUTTON, {20, 20}, 0, 0, true},
        {WM_LBUTTONUP, MK_RBUTTON, {20, 20}, 1, 0, true}, {WM_LBUTTONDBLCLK, MK_RBUTTON | MK_LBUTTON, {20, 20}, 1, 1, true},
        {WM_LBUTTONUP, MK_RBUTTON, {20, 20}, 1, 1, true}, {WM_RBUTTONUP, 0, {20, 20}, 1, 1, false}};
    for (const auto& step : steps) {
        SendMessageW(box.Window(), step.message, step.buttons, MAKELPARAM(step.at.x, step.at.y));
        EXPECT_EQ(std::tuple(label, labelDouble, GetCapture() == box.Window()),
                  std::tuple(step.clicks, step.doubles, step.captured)) << std::hex << step.message;
    }
    DestroyWindow(parent);
    EXPECT_EQ(box.Host().Window(), nullptr);  // detached with its window
}

}  // namespace
}  // namespace spindle
