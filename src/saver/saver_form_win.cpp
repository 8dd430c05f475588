// The saver form Spindlewave_S: a borderless window on each monitor whose client area is that
// monitor's Display picture box (a persistent off-screen image), with Pic_D holding the Earth
// picture and the two music timers. The handlers' rules live in SaverController.
#include "saver/saver_form_win.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "music/process_music_win.h"
#include "runtime/base_window_win.h"
#include "runtime/dpi.h"
#include "runtime/event_loop_win.h"
#include "runtime/runtime_error.h"
#include "runtime/system_settings_win.h"
#include "saver/display_power_win.h"
#include "saver/frame_wait_win.h"
#include "saver/monitor_layout_win.h"
#include "saver/saver_controller.h"
#include "saver/saver_display_win.h"
#include "settings/settings_values.h"

namespace spindle {
namespace {

constexpr UINT_PTR kTimer1 = 1;  // 1000 ms: the MP3 rewind
constexpr UINT_PTR kTimer2 = 2;  // 200 ms: the CD poll
constexpr UINT_PTR kLayoutCheck = 3;  // 500 ms: the monitors still those covered?

[[noreturn]] void Fail(const char* what) { throw RuntimeError(RuntimeError::Kind::Platform, what); }

class SaverForm;

// The form's window on one monitor: borderless, its client area that monitor's Display. Every
// one of them answers keys, clicks and the display messages; the first (the primary monitor's)
// also carries the timers.
class MonitorWindow : public BaseWindow<MonitorWindow> {
public:
    explicit MonitorWindow(SaverForm& form) : form_(form) {}
    static const wchar_t* ClassName() { return L"Spindlewave_S"; }
    // Created hidden, as a loaded form is until shown.
    bool Create() {
        static ScopedBrush midGrey(CreateSolidBrush(RGB(128, 128, 128)));  // never seen: Display covers it
        return CreateWindowOf(L"Spindlewave_Main", WS_POPUP, 0, 0, 0, 0, 0, nullptr, midGrey.get());
    }
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) { return DefaultHandling(message, wParam, lParam); }

private:
    SaverForm& form_;
};

class SaverForm : public SaverFormPort, public EventYield {
public:
    explicit SaverForm(const std::string& modeLetter)
        : controller_(*this, display_, *this, frameWait_, ProcessMusic(), system_, Settings(), modeLetter,
                      CursorState) {}

    // Creates the primary monitor's window and runs Form_Load.
    void Load() {
        windows_.push_back(std::make_unique<MonitorWindow>(*this));
        if (!windows_[0]->Create()) return;
        // Not every system tells its windows of a new layout (Wine does not): look twice a second too.
        SetTimer(Primary(), kLayoutCheck, 500, nullptr);
        displayPower_ = std::make_unique<DisplayPowerNotification>(Primary());
        loaded_ = true;
        NoteFormLoaded();
        controller_.Form_Load();
    }

    LRESULT HandleMessage(MonitorWindow& window, UINT message, WPARAM wParam, LPARAM lParam) {
        // The handlers never let an error out into the system's dispatch.
        try {
            switch (message) {
            case WM_KEYDOWN:
            case WM_SYSKEYDOWN:
                controller_.Form_KeyDown(static_cast<std::int16_t>(wParam), static_cast<std::int16_t>(KeyShiftState()));
                return 0;
            // Any button is a click (a user tries the middle and side ones too); the wheel is not.
            case WM_LBUTTONDOWN:
            case WM_RBUTTONDOWN:
            case WM_MBUTTONDOWN:
            case WM_XBUTTONDOWN:
                pressed_ = true;
                return message == WM_XBUTTONDOWN;  // X buttons answer TRUE when handled
            case WM_LBUTTONUP:
            case WM_RBUTTONUP:
            case WM_MBUTTONUP:
            case WM_XBUTTONUP:
                if (pressed_) {
                    pressed_ = false;
                    controller_.Display_Click();
                }
                return message == WM_XBUTTONUP;
            case WM_TIMER:
                if (wParam == kTimer1) controller_.Timer1_Timer();
                if (wParam == kTimer2) controller_.Timer2_Timer();
                if (wParam == kLayoutCheck) FollowDisplayLayout();
                return 0;
            case WM_DISPLAYCHANGE:
                FollowDisplayLayout();
                return 0;
            case WM_POWERBROADCAST:
                if (const auto power = DisplayPowerOfBroadcast(wParam, lParam)) controller_.Display_PowerChanged(*power);
                return TRUE;
            case WM_DPICHANGED:
                // Each window stays on its own monitor, drawn at that monitor's new scale.
                FollowDisplayLayout();
                return 0;
            case WM_CLOSE:
                // Closed from outside: shut down as a key would, so the cursor and the system's
                // saver state are put back.
                controller_.EndSaver();
                return 0;
            case WM_ERASEBKGND:
                return 1;
            case WM_PAINT: {
                ScopedPaint paint(window.Window());
                if (const MonitorDisplay* display = display_.Find(window.Window())) display->Image().PaintTo(paint.get());
                return 0;
            }
            default:
                break;
            }
        } catch (...) {
            return 0;
        }
        return window.Default(message, wParam, lParam);
    }

    // SaverFormPort
    void CoverScreen() override {
        covered_ = CurrentMonitorLayout();
        // Windows are kept once made, and the ones a smaller layout does not need are hidden: the
        // layout changes inside their own handlers, where a window must not be destroyed.
        while (windows_.size() < covered_.size()) {
            auto window = std::make_unique<MonitorWindow>(*this);
            if (!window->Create()) break;
            windows_.push_back(std::move(window));
        }
        bool placed = Used() == covered_.size();
        for (std::size_t i = 0; i < windows_.size(); ++i) {
            HWND window = windows_[i]->Window();
            if (i >= Used()) {
                ShowWindow(window, SW_HIDE);
                continue;
            }
            const MonitorRect& monitor = covered_[i];
            placed &= SetWindowPos(window, nullptr, monitor.Left, monitor.Top, monitor.Width, monitor.Height,
                                   SWP_NOZORDER | SWP_NOACTIVATE) != 0;
        }
        if (!placed) Fail("cover");
    }
    void CoverWindowWithDisplay() override {
        std::vector<PixelSize> sizes(Used());
        for (std::size_t i = 0; i < Used(); ++i) {
            RECT client{};
            GetClientRect(windows_[i]->Window(), &client);
            sizes[i] = {client.right, client.bottom, covered_[i].Dpi};
        }
        const bool covered = RunStep([&] { display_.Cover(sizes); });
        ShowDisplays();  // the Displays that could be made
        if (!covered) Fail("display");
    }
    double TwipsPerPixelX(int monitor) override { return TwipsPerPixelAt(covered_.at(monitor).Dpi); }
    double TwipsPerPixelY(int monitor) override { return TwipsPerPixelAt(covered_.at(monitor).Dpi); }
    double PictureWidth() override { return display_.PictureWidth(); }
    double PictureHeight() override { return display_.PictureHeight(); }
    void CopyPictureToDisplay(int monitor, std::int32_t x, std::int32_t y, std::int32_t width,
                              std::int32_t height) override {
        display_.CopyPicture(monitor, x, y, width, height);
    }
    void KeepDisplayImageAsBackground() override { display_.KeepAsBackground(); }
    void SetTimer1Enabled(bool enabled) override { EnableTimer(kTimer1, 1000, enabled, timer1_); }
    void SetTimer2Enabled(bool enabled) override { EnableTimer(kTimer2, 200, enabled, timer2_); }
    bool Timer2Enabled() override { return timer2_; }
    void ShowNormal() override {
        // The primary monitor's window last, so that it is the active one.
        for (std::size_t i = Used(); i-- > 0;) ShowWindow(windows_[i]->Window(), SW_SHOWNORMAL);
    }
    void MakeTopmost() override {
        for (std::size_t i = 0; i < Used(); ++i) {
            SetWindowPos(windows_[i]->Window(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
        }
    }
    void Unload() override {
        if (!loaded_) return;
        loaded_ = false;
        displayPower_.reset();
        for (auto& window : windows_) {
            if (window->Window()) DestroyWindow(window->Window());
        }
        NoteFormUnloaded();
    }
    void EndProcess() override { ExitProcess(0); }

    // EventYield
    void YieldToEvents() override { spindle::YieldToEvents(); }

private:
    HWND Primary() const { return windows_.empty() ? nullptr : windows_[0]->Window(); }
    // The windows on a monitor of the covered layout (one may have failed to be made).
    std::size_t Used() const { return std::min(windows_.size(), covered_.size()); }

    void ShowDisplays() {
        for (int m = 0; m < display_.MonitorCount(); ++m) display_.At(m).ShowOn(windows_[m]->Window());
    }

    // Covers the monitors anew when they are no longer those covered, and paces the steps to the
    // refresh rate of the display as it is now (a new primary monitor may refresh at another rate).
    void FollowDisplayLayout() {
        if (!loaded_) return;
        frameWait_.FollowDisplay();
        if (CurrentMonitorLayout() != covered_) controller_.Display_LayoutChanged();
    }

    void EnableTimer(UINT_PTR id, UINT interval, bool enabled, bool& state) {
        if (!Primary()) Fail("timer");
        if (enabled) {
            if (!SetTimer(Primary(), id, interval, nullptr)) Fail("timer");
        } else {
            KillTimer(Primary(), id);
        }
        state = enabled;
    }

    Win32SystemSettings system_;
    SaverDisplay display_;
    FrameWait frameWait_;
    SaverController controller_;
    std::vector<std::unique_ptr<MonitorWindow>> windows_;  // the primary monitor's first
    MonitorLayout covered_;
    std::unique_ptr<DisplayPowerNotification> displayPower_;
    bool loaded_ = false;
    bool pressed_ = false;
    bool timer1_ = false;
    bool timer2_ = false;
};

LRESULT MonitorWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return form_.HandleMessage(*this, message, wParam, lParam);
}

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
