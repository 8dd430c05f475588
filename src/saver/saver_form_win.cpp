// The saver form Spindlewave_S: a borderless window covering the screen whose client area is
// the Display picture box (a persistent off-screen image), with Pic_D holding the Earth picture
// and the two music timers. The handlers' rules live in SaverController.
#include "saver/saver_form_win.h"

#include <windows.h>

#include <memory>
#include <string>

#include "music/process_music_win.h"
#include "runtime/base_window_win.h"
#include "runtime/conversions.h"
#include "runtime/event_loop_win.h"
#include "runtime/runtime_error.h"
#include "runtime/screen_win.h"
#include "runtime/system_settings_win.h"
#include "saver/frame_wait_win.h"
#include "saver/saver_controller.h"
#include "saver/saver_display_win.h"
#include "settings/settings_values.h"

namespace spindle {
namespace {

constexpr UINT_PTR kTimer1 = 1;  // 1000 ms: the MP3 rewind
constexpr UINT_PTR kTimer2 = 2;  // 200 ms: the CD poll

[[noreturn]] void Fail(const char* what) { throw RuntimeError(RuntimeError::Kind::Platform, what); }

std::int16_t ShiftState() {
    std::int16_t shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= 1;
    if (GetKeyState(VK_CONTROL) < 0) shift |= 2;
    if (GetKeyState(VK_MENU) < 0) shift |= 4;
    return shift;
}

class SaverForm : public BaseWindow<SaverForm>, public SaverFormPort, public EventYield {
public:
    explicit SaverForm(const std::string& modeLetter)
        : controller_(*this, display_, *this, frameWait_, ProcessMusic(), system_, Settings(), modeLetter,
                      CursorState) {}

    static const wchar_t* ClassName() { return L"Spindlewave_S"; }

    // Creates the window (hidden, as a loaded form is until shown) and runs Form_Load.
    void Load() {
        static ScopedBrush midGrey(CreateSolidBrush(RGB(128, 128, 128)));  // never seen: Display covers it
        if (!CreateWindowOf(L"Spindlewave_Main", WS_POPUP, 0, 0, 0, 0, 0, nullptr, midGrey.get())) return;
        display_.ShowOn(Window());
        loaded_ = true;
        NoteFormLoaded();
        controller_.Form_Load();
    }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        // The handlers never let an error out into the system's dispatch.
        try {
            switch (message) {
            case WM_KEYDOWN:
            case WM_SYSKEYDOWN:
                controller_.Form_KeyDown(static_cast<std::int16_t>(wParam), ShiftState());
                return 0;
            case WM_LBUTTONDOWN:
            case WM_RBUTTONDOWN:
                pressed_ = true;
                return 0;
            case WM_LBUTTONUP:
            case WM_RBUTTONUP:
                if (pressed_) {
                    pressed_ = false;
                    controller_.Display_Click();
                }
                return 0;
            case WM_TIMER:
                if (wParam == kTimer1) controller_.Timer1_Timer();
                if (wParam == kTimer2) controller_.Timer2_Timer();
                return 0;
            case WM_CLOSE:
                // Closed from outside: shut down as a key would, so the cursor and the system's
                // saver state are put back.
                controller_.EndSaver();
                return 0;
            case WM_ERASEBKGND:
                return 1;
            case WM_PAINT: {
                ScopedPaint paint(Window());
                display_.Paint(paint.get());
                return 0;
            }
            default:
                break;
            }
        } catch (...) {
            return 0;
        }
        return DefaultHandling(message, wParam, lParam);
    }

    // SaverFormPort
    void CoverScreen() override {
        const std::int32_t width = RoundToInt32(ScreenWidthTwips() / spindle::TwipsPerPixelX());
        const std::int32_t height = RoundToInt32(ScreenHeightTwips() / spindle::TwipsPerPixelY());
        if (!SetWindowPos(Window(), nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE)) Fail("cover");
    }
    void CoverWindowWithDisplay() override {
        RECT client{};
        if (!GetClientRect(Window(), &client)) Fail("client");
        display_.Cover(client.right, client.bottom, spindle::TwipsPerPixelX(), spindle::TwipsPerPixelY());
    }
    double TwipsPerPixelX() override { return spindle::TwipsPerPixelX(); }
    double TwipsPerPixelY() override { return spindle::TwipsPerPixelY(); }
    double PictureWidth() override { return display_.PictureWidth(); }
    double PictureHeight() override { return display_.PictureHeight(); }
    void CopyPictureToDisplay(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) override {
        display_.CopyPicture(x, y, width, height);
    }
    void KeepDisplayImageAsBackground() override { display_.KeepAsBackground(); }
    void SetTimer1Enabled(bool enabled) override { EnableTimer(kTimer1, 1000, enabled, timer1_); }
    void SetTimer2Enabled(bool enabled) override { EnableTimer(kTimer2, 200, enabled, timer2_); }
    bool Timer2Enabled() override { return timer2_; }
    void ShowNormal() override { ShowWindow(Window(), SW_SHOWNORMAL); }
    void MakeTopmost() override {
        SetWindowPos(Window(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    }
    void Unload() override {
        if (!loaded_) return;
        loaded_ = false;
        if (Window()) DestroyWindow(Window());
        NoteFormUnloaded();
    }
    void EndProcess() override { ExitProcess(0); }

    // EventYield
    void YieldToEvents() override { spindle::YieldToEvents(); }

private:
    void EnableTimer(UINT_PTR id, UINT interval, bool enabled, bool& state) {
        if (!Window()) Fail("timer");
        if (enabled) {
            if (!SetTimer(Window(), id, interval, nullptr)) Fail("timer");
        } else {
            KillTimer(Window(), id);
        }
        state = enabled;
    }

    Win32SystemSettings system_;
    SaverDisplay display_;
    FrameWait frameWait_;
    SaverController controller_;
    bool loaded_ = false;
    bool pressed_ = false;
    bool timer1_ = false;
    bool timer2_ = false;
};

}  // namespace

void LoadSaverForm(const std::string& modeLetter) {
    // The form lives until the process ends: EndSaver ends it from inside a handler, and after
    // an animation that ended by an error the message loop keeps it answering.
    static std::unique_ptr<SaverForm> form;
    if (form) return;
    form = std::make_unique<SaverForm>(modeLetter);
    form->Load();
}

}  // namespace spindle
