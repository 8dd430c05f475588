// The gradient button as a child window of a test form, driven by real mouse input.
#include "controls/command/command_button_win.h"

#include <gtest/gtest.h>

#include <memory>

#include "runtime/scoped_gdi_win.h"

namespace spindle {
namespace {

LRESULT CALLBACK TestFormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

// Dispatches messages for about `milliseconds` (timer ticks included).
void PumpFor(DWORD milliseconds) {
    DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(10);
    } while (GetTickCount() - start < milliseconds);
}

class TestForm {
public:
    TestForm() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = TestFormProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        windowClass.lpszClassName = L"SpindleCommandTestForm";
        RegisterClassW(&windowClass);
        window_ = CreateWindowExW(WS_EX_TOPMOST, L"SpindleCommandTestForm", L"Command test",
                                  WS_POPUP | WS_VISIBLE, 200, 200, 400, 200, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        SetForegroundWindow(window_);
        PumpFor(200);
    }
    ~TestForm() { DestroyWindow(window_); }
    HWND get() const { return window_; }

private:
    HWND window_ = nullptr;
};

void MoveTo(POINT screen) {
    SetCursorPos(screen.x, screen.y);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
    PumpFor(300);
}

void Press(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
    PumpFor(300);
}

POINT CentreOf(HWND window) {
    RECT box;
    GetWindowRect(window, &box);
    return POINT{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
}

// A pixel of the window as shown on screen, 0xRRGGBB.
std::uint32_t ShownPixel(HWND window, int x, int y) {
    ScopedWindowDC dc(window);
    COLORREF colour = GetPixel(dc.get(), x, y);
    return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

struct Placed {
    TestForm form;
    CommandButton button;
    int clicks = 0;

    explicit Placed(const PropertyBag* stored = nullptr) {
        EXPECT_TRUE(button.Create(form.get(), 50, 50, 81, 25, 1001, stored));
        button.onClick = [this] { ++clicks; };
        button.Initialize();
        PumpFor(200);
    }
    POINT Outside() const {
        RECT box;
        GetWindowRect(form.get(), &box);
        return POINT{box.left + 300, box.top + 150};
    }
};

TEST(CommandButtonWindow, PlacedWithStoredCaptionAndFont) {
    MemoryPropertyBag stored;
    stored.Set("Caption", "保存");
    CaptionFont font = DesignedCaptionFont();
    font.weight = 700;
    stored.Set("Font", FontToText(font));
    Placed placed(&stored);
    HWND window = placed.button.Window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetParent(window), placed.form.get());
    EXPECT_EQ(GetDlgCtrlID(window), 1001);
    EXPECT_EQ(placed.button.Caption(), "保存");
    EXPECT_TRUE(placed.button.Font().Bold());
    EXPECT_EQ(placed.button.LookState(), 1);
    EXPECT_EQ(ShownPixel(window, 40, 1), 0x003C74u);  // the Normal frame line on screen

    // A second Create on the same button is refused.
    EXPECT_FALSE(placed.button.Create(placed.form.get(), 0, 0, 81, 25, 1002));
}

TEST(CommandButtonWindow, RealPressAndReleaseClickOnce) {
    Placed placed;
    HWND window = placed.button.Window();
    MoveTo(placed.Outside());
    MoveTo(CentreOf(window));
    EXPECT_EQ(placed.button.LookState(), 2);
    Press(MOUSEEVENTF_LEFTDOWN);
    EXPECT_EQ(GetFocus(), window);
    Press(MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(placed.clicks, 1);
    EXPECT_EQ(placed.button.LookState(), 4);
    PumpFor(500);  // idle hovering changes nothing
    EXPECT_EQ(placed.clicks, 1);
    EXPECT_EQ(placed.button.LookState(), 4);

    // Leaving ends the hover at the next tick.
    MoveTo(placed.Outside());
    EXPECT_EQ(placed.button.LookState(), 3);
}

TEST(CommandButtonWindow, DraggingOffBeforeReleaseDoesNotClick) {
    Placed placed;
    MoveTo(CentreOf(placed.button.Window()));
    Press(MOUSEEVENTF_LEFTDOWN);
    MoveTo(placed.Outside());
    Press(MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(placed.clicks, 0);
    EXPECT_EQ(placed.button.LookState(), 3);
}

TEST(CommandButtonWindow, DisabledButtonIgnoresTheMouseAndResizeShowsDisable) {
    Placed placed;
    HWND window = placed.button.Window();
    placed.button.SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(window));
    MoveTo(CentreOf(window));
    Press(MOUSEEVENTF_LEFTDOWN);
    Press(MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(placed.clicks, 0);
    EXPECT_EQ(placed.button.LookState(), 1);
    EXPECT_NE(GetFocus(), window);

    SetWindowPos(window, nullptr, 0, 0, 121, 30, SWP_NOMOVE | SWP_NOZORDER);
    PumpFor(200);
    EXPECT_EQ(ShownPixel(window, 60, 1), 0xC9C7BAu);
    EXPECT_EQ(ShownPixel(window, 120, 15), 0xECE9D8u);

    // Enabled again, it moves on from the kept state once the pointer moves.
    placed.button.SetEnabled(true);
    EXPECT_TRUE(IsWindowEnabled(window));
    MoveTo(POINT{CentreOf(window).x + 1, CentreOf(window).y});
    EXPECT_EQ(placed.button.LookState(), 2);
    Press(MOUSEEVENTF_LEFTDOWN);
    Press(MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(placed.clicks, 1);
}

TEST(CommandButtonWindow, FocusFromTheFormShowsSelected) {
    Placed placed;
    MoveTo(placed.Outside());
    SetFocus(placed.button.Window());
    PumpFor(100);
    EXPECT_EQ(placed.button.LookState(), 3);
    EXPECT_EQ(ShownPixel(placed.button.Window(), 40, 2), 0xCEE7FFu);
    SetFocus(placed.form.get());
    PumpFor(100);
    EXPECT_EQ(placed.button.LookState(), 1);
}

TEST(CommandButtonWindow, ClickHandlerMayDestroyTheButton) {
    auto placed = std::make_unique<Placed>();
    placed->button.onClick = [&placed] { placed->clicks = -100; placed.reset(); };
    MoveTo(CentreOf(placed->button.Window()));
    Press(MOUSEEVENTF_LEFTDOWN);
    Press(MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(placed, nullptr);
}

TEST(CommandButtonWindow, PropertiesWriteBackThroughTheHostStore) {
    Placed placed;
    placed.button.SetCaption("Command");
    placed.button.SetVisible(1);
    EXPECT_EQ(placed.button.Visible(), 255);
    MemoryPropertyBag store;
    placed.button.WriteProperties(store);
    EXPECT_TRUE(store.Values().empty());  // everything at its default
    placed.button.ReadProperties(store);
    EXPECT_EQ(placed.button.Caption(), "Command1");
    EXPECT_TRUE(placed.button.Enabled());
}

}  // namespace
}  // namespace spindle
