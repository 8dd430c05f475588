// The gradient button as a child window of a test form, drawn on screen and clicked with real mouse input.
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

// (A click's count and the focus it gives: the settings dialog's window test; disabled and
// enabled again: the control's event tables.)
TEST(CommandButtonWindow, ASystemColourIsDrawnAsShownAndTheClickHandlerMayDestroyTheButton) {
    HWND form = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"Command test", WS_POPUP | WS_VISIBLE, 200, 200, 400, 200,
                                nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(form);
    auto button = std::make_unique<CommandButton>();
    ASSERT_TRUE(button->Create(form, 50, 50, 81, 25, 1001));
    button->Initialize();
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    button->SetFontColour(0x80000000 | COLOR_HIGHLIGHT);
    PumpFor(100);
    const test::ScreenPixels face = test::CaptureWindow(button->Window());
    const std::uint32_t shown = (GetRValue(highlight) << 16) | (GetGValue(highlight) << 8) | GetBValue(highlight);
    EXPECT_NE(std::find(face.pixels.begin(), face.pixels.end(), shown), face.pixels.end());

    button->onClick = [&button] { button.reset(); };
    test::MoveMouse(POINT{290, 262});
    PumpFor(300);
    for (DWORD event : {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}) test::MouseButton(event), PumpFor(300);
    EXPECT_EQ(button, nullptr);
    DestroyWindow(form);
}

}  // namespace
}  // namespace spindle
