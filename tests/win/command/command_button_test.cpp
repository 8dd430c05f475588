// The gradient button as a child window of a test form, clicked with real mouse input.
#include "controls/command/command_button_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "runtime/event_loop_win.h"
#include "support/screen_pixels_win.h"

namespace spindle {
namespace {

// Dispatches messages for about `milliseconds` (timer ticks included).
void PumpFor(DWORD milliseconds) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < milliseconds; Sleep(10)) YieldToEvents();
}

void SendMouse(DWORD flags, POINT screen = {}) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_ABSOLUTE) SetCursorPos(screen.x, screen.y);
    SendInput(1, &input, sizeof input);
    PumpFor(300);
}

void ClickAt(POINT screen) {
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, screen);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(MOUSEEVENTF_LEFTUP);
}

TEST(CommandButtonWindow, DisabledNeverClicksAndARealPressAndReleaseClicksOnce) {
    HWND form = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"Command test", WS_POPUP | WS_VISIBLE, 200, 200, 400, 200,
                                nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(form);
    auto button = std::make_unique<CommandButton>();
    ASSERT_TRUE(button->Create(form, 50, 50, 81, 25, 1001));
    int clicks = 0;
    button->onClick = [&clicks] { ++clicks; };
    button->Initialize();
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, POINT{500, 350});  // on the form, off the button
    const POINT centre{290, 262};

    button->SetEnabled(false);
    ClickAt(centre);
    EXPECT_EQ(clicks, 0);

    button->SetEnabled(true);
    ClickAt(POINT{centre.x + 1, centre.y});
    EXPECT_EQ(GetFocus(), button->Window());
    PumpFor(500);  // idle hovering raises nothing more
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(button->LookState(), 4);

    // Disabling takes the focus away unseen; enabled again, the next click still clicks.
    button->SetEnabled(false);
    button->SetEnabled(true);
    ClickAt(centre);
    EXPECT_EQ(clicks, 2);

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
