// The gradient button's behaviour: look states driven by focus, mouse and the pointer timer,
// the Click rule, the public properties and the stored properties. The platform is reached
// only through the small ports below.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "controls/command/command_font.h"
#include "controls/command/command_paint_plan.h"
#include "controls/command/property_bag.h"

namespace spindle {

// The face: its size, and a plan to carry out (clear, gradient, frame, refresh).
class CommandFacePort {
public:
    virtual ~CommandFacePort() = default;
    virtual FaceSize Size() const = 0;
    virtual void Paint(const PaintPlan& plan) = 0;
    // The caption label's text, font, colour, enabled flag or place changed.
    virtual void LabelChanged() {}
    // The face's opacity changed (the host shows through a transparent face).
    virtual void OpacityChanged() {}
};

// A window as the pointer polling compares it.
using WindowId = std::uintptr_t;

// GetCursorPos and WindowFromPoint, and the timer that drives the polling.
class PointerPort {
public:
    virtual ~PointerPort() = default;
    struct Point {
        std::int32_t x = 0, y = 0;
    };
    // Empty when the position cannot be read.
    virtual std::optional<Point> CursorPosition() = 0;
    virtual WindowId WindowFromPoint(Point point) = 0;
    // Starts (or restarts) the timer whose ticks call TmrMouse_Timer.
    virtual void StartTimer(int intervalMilliseconds) = 0;
};

// What the control knows of its host.
class CommandHostPort {
public:
    virtual ~CommandHostPort() = default;
    virtual void PropertyChanged(std::string_view name) = 0;
    virtual CaptionFont AmbientFont() const = 0;
    virtual WindowId HostWindow() const = 0;
    virtual WindowId OwnWindow() const = 0;
    // The control's own window has the keyboard focus.
    virtual bool OwnWindowHasFocus() const = 0;
};

// The caption label `LblMsg`.
struct CaptionLabel {
    std::string text = "Command";
    CaptionFont font = DesignedCaptionFont();
    std::uint32_t colour = 0;  // 0x00BBGGRR, or a system colour (runtime/colour.h)
    bool enabled = true;
    float top = 90, left = 0, width = 1635, height = 195;  // twips
};

// Mouse buttons as the events pass them.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;

class CommandControl {
public:
    CommandControl(CommandFacePort& face, PointerPort& pointer, CommandHostPort& host);

    // The public interface.
    void Initialize();
    std::string Caption() const { return label_.text; }
    void SetCaption(std::string_view caption);
    CaptionFont Font() const { return label_.font; }
    void SetFont(const CaptionFont& font);
    std::uint32_t FontColour();
    void SetFontColour(std::int64_t colour);
    bool Enabled();
    void SetEnabled(bool enabled);
    std::uint8_t Visible();
    void SetVisible(std::uint8_t visible);

    void UserControl_ReadProperties(const PropertyBag& bag);
    void UserControl_WriteProperties(PropertyBag& bag);

    // Events. The mouse handlers return true when `Click` is to be raised; the caller raises it
    // last, since the host's handler may destroy the control.
    void UserControl_GotFocus();
    void UserControl_LostFocus();
    void UserControl_MouseDown(int button, int shift, float x, float y);
    void UserControl_MouseMove(int button, int shift, float x, float y);
    [[nodiscard]] bool UserControl_MouseUp(int button, int shift, float x, float y);
    void LblMsg_MouseDown(int button, int shift, float x, float y) { UserControl_MouseDown(button, shift, x, y); }
    void LblMsg_MouseMove(int button, int shift, float x, float y) { UserControl_MouseMove(button, shift, x, y); }
    [[nodiscard]] bool LblMsg_MouseUp(int button, int shift, float x, float y) {
        return UserControl_MouseUp(button, shift, x, y);
    }
    void TmrMouse_Timer();
    void UserControl_Resize();

    // For the window and the tests.
    std::uint8_t LookState() const { return lookState_; }
    bool MouseIsDown() const { return mouseIsDown_; }
    bool ButtonEnabled() const { return buttonEnabled_; }
    std::uint8_t FirstRunMarker() const { return firstRunMarker_; }
    bool GradientReversed() const { return gradientReversed_; }
    bool Transparent() const { return transparent_; }
    bool TimerRunning() const { return timerRunning_; }
    const CaptionLabel& Label() const { return label_; }

private:
    void PaintLook(SkinPicture picture);
    void LeaveHover();
    void ApplyEnabledLook();
    void RestoreNormalLook();
    void FollowFocus();
    void SetLabelColour(std::int64_t colour);
    void SetLabelEnabled(bool enabled);

    CommandFacePort& face_;
    PointerPort& pointer_;
    CommandHostPort& host_;

    std::uint8_t lookState_ = 0;
    bool mouseIsDown_ = false;
    bool buttonEnabled_ = false;
    std::uint8_t firstRunMarker_ = 0;
    bool gradientReversed_ = false;
    bool transparent_ = false;
    bool timerRunning_ = false;
    CaptionLabel label_;
};

}  // namespace spindle
