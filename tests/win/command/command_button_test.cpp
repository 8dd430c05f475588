// The gradient button as a child window of a test form, clicked with real mouse input.
#include "controls/command/command_button_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "runtime/event_loop_win.h"
#include "support/real_input_win.h"
#include "support/screen_pixels_win.h"

namespace spindle {
namespace {

// Dispatches messages for about `milliseconds` (timer ticks included).
void PumpFor(DWORD milliseconds) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < milliseconds; Sleep(10)) YieldToEvents();
}

void ClickAt(POINT screen) {
    test::MoveMouse(screen);
    PumpFor(300);
    test::MouseButton(MOUSEEVENTF_LEFTDOWN);
    PumpFor(300);
    test::MouseButton(MOUSEEVENTF_LEFTUP);
    PumpFor(300);
}

// (Disabled and enabled again: the control's event tables.)
TEST(CommandButtonWindow, ARealPressAndReleaseClicksOnce) {
    HWND form = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"Command test", WS_POPUP | WS_VISIBLE, 200, 200, 400, 200,
                                nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(form);
    auto button = std::make_unique<CommandButton>();
    ASSERT_TRUE(button->Create(form, 50, 50, 81, 25, 1001));
    int clicks = 0;
    button->onClick = [&clicks] { ++clicks; };
    button->Initialize();
    test::MoveMouse(POINT{500, 350});  // on the form, off the button
    PumpFor(300);
    const POINT centre{290, 262};
    ClickAt(centre);
    EXPECT_EQ(GetFocus(), button->Window());
    PumpFor(500);  // idle hovering raises nothing more
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(button->LookState(), 4);

    // A system colour for the caption is drawn as the system shows it.
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    button->SetFontColour(0x80000000 | COLOR_HIGHLIGHT);
    PumpFor(100);
    const test::ScreenPixels face = test::CaptureWindow(button->Window());
    const std::uint32_t shown = (GetRValue(highlight) << 16) | (GetGValue(highlight) << 8) | GetBValue(highlight);
    EXPECT_NE(std::find(face.pixels.begin(), face.pixels.end(), shown), face.pixels.end());

    // The Click handler may destroy the button.
    button->onClick = [&button] { button.reset(); };
    ClickAt(centre);
    EXPECT_EQ(button, nullptr);
    DestroyWindow(form);
}

}  // namespace
}  // namespace spindle
