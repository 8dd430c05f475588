// The gradient button's behaviour: look states, Click, properties and stored properties.
#include "controls/command/command_control.h"

#include <string>

#include "runtime/colour.h"
#include "runtime/conversions.h"
#include "runtime/runtime_error.h"
#include "runtime/text_utf8.h"

namespace spindle {
namespace {

[[noreturn]] void Mismatch() { throw RuntimeError(RuntimeError::Kind::TypeMismatch, "type mismatch"); }

double StoredNumber(std::string_view text) {
    auto number = TextToNumber(text);
    if (!number) Mismatch();
    return *number;
}

bool StoredBoolean(std::string_view text) {
    std::string upper = UpperAscii(text);
    if (upper == "TRUE") return true;
    if (upper == "FALSE") return false;
    return StoredNumber(text) != 0;
}

std::uint8_t StoredByte(std::string_view text) {
    std::int32_t value = RoundToInt32(StoredNumber(text));
    if (value < 0 || value > 255) throw RuntimeError(RuntimeError::Kind::Overflow, "overflow");
    return static_cast<std::uint8_t>(value);
}

const char* BooleanText(bool value) { return value ? "True" : "False"; }

}  // namespace

CommandControl::CommandControl(CommandFacePort& face, PointerPort& pointer, CommandHostPort& host)
    : face_(face), pointer_(pointer), host_(host) {}

// --- public interface ---

void CommandControl::Initialize() {
    lookState_ = 1;
    timerRunning_ = true;
    pointer_.StartTimer(100);
}

void CommandControl::SetCaption(std::string_view caption) {
    label_.text = std::string(caption);
    host_.PropertyChanged("Caption");
    face_.LabelChanged();
}

void CommandControl::SetFont(const CaptionFont& font) {
    label_.font = font;
    host_.PropertyChanged("Font");
    face_.LabelChanged();
}

std::uint32_t CommandControl::FontColour() {
    std::uint32_t colour = label_.colour;
    RestoreNormalLook();
    return colour;
}

void CommandControl::SetFontColour(std::int64_t colour) {
    if (!RunStep([&] { SetLabelColour(colour); })) {
        RestoreNormalLook();
        return;
    }
    RestoreNormalLook();
    host_.PropertyChanged("FontColour");
}

bool CommandControl::Enabled() {
    if (firstRunMarker_ == 0) {
        RestoreNormalLook();
        firstRunMarker_ = 1;
        buttonEnabled_ = true;
    }
    bool result = buttonEnabled_;
    ApplyEnabledLook();
    return result;
}

void CommandControl::SetEnabled(bool enabled) {
    buttonEnabled_ = enabled;
    host_.PropertyChanged("Enabled");
    ApplyEnabledLook();
    if (enabled) FollowFocus();
}

std::uint8_t CommandControl::Visible() {
    if (transparent_) return 0;
    RestoreNormalLook();
    return 255;
}

void CommandControl::SetVisible(std::uint8_t visible) {
    transparent_ = visible == 0;
    face_.OpacityChanged();
    if (!transparent_) RestoreNormalLook();
    host_.PropertyChanged("Visible");
}

// --- stored properties ---

void CommandControl::UserControl_ReadProperties(const PropertyBag& bag) {
    RunStep([&] { buttonEnabled_ = StoredBoolean(bag.Read("Enabled", "True")); });
    RunStep([&] { label_.text = bag.Read("Caption", "Command1"); });
    RunStep([&] {
        auto font = TextToFont(bag.Read("Font", FontToText(host_.AmbientFont())));
        if (!font) Mismatch();
        label_.font = *font;
    });
    RunStep([&] { firstRunMarker_ = StoredByte(bag.Read("FirstRun", "1")); });
    RunStep([&] { SetLabelColour(RoundToInt32(StoredNumber(bag.Read("FontColour", "0")))); });
    RunStep([&] {
        std::int16_t opacity = RoundToInt16(StoredNumber(bag.Read("Visible", "1")));
        if (opacity != 0 && opacity != 1) throw RuntimeError(RuntimeError::Kind::Overflow, "invalid opacity");
        transparent_ = opacity == 0;
        face_.OpacityChanged();
    });
    face_.LabelChanged();
    RestoreNormalLook();
}

void CommandControl::UserControl_WriteProperties(PropertyBag& bag) {
    RunStep([&] { bag.Write("Enabled", BooleanText(buttonEnabled_), BooleanText(true)); });
    RunStep([&] { bag.Write("Caption", label_.text, "Command"); });
    RunStep([&] { bag.Write("FirstRun", std::to_string(firstRunMarker_), "1"); });
    RunStep([&] { bag.Write("Font", FontToText(label_.font), FontToText(host_.AmbientFont())); });
    // Stored as a signed 32-bit integer, as it is read back.
    RunStep([&] { bag.Write("FontColour", std::to_string(static_cast<std::int32_t>(label_.colour)), "0"); });
    RunStep([&] { bag.Write("Visible", transparent_ ? "0" : "1", "1"); });
    RestoreNormalLook();
}

// --- events ---

void CommandControl::UserControl_GotFocus() {
    if (!buttonEnabled_) return;
    if (lookState_ != 2) {
        lookState_ = 3;
        PaintLook(SkinPicture::Selected);
    } else {
        lookState_ = 4;
        PaintLook(SkinPicture::Pressed);
    }
}

void CommandControl::UserControl_LostFocus() {
    if (!buttonEnabled_) return;
    if (lookState_ != 1) {
        lookState_ = 1;
        PaintLook(SkinPicture::Normal);
    }
}

void CommandControl::UserControl_MouseDown(int button, int, float, float) {
    if (!buttonEnabled_) return;
    if (button == kLeftButton) {
        mouseIsDown_ = true;
        PaintLook(SkinPicture::Pressed);
    }
}

void CommandControl::UserControl_MouseMove(int, int, float, float) {
    if (!buttonEnabled_) return;
    if (lookState_ == 1) {
        lookState_ = 2;
        PaintLook(SkinPicture::HighLight);
    }
    if (lookState_ == 3 && !mouseIsDown_) {
        lookState_ = 4;
        PaintLook(SkinPicture::HighLightSelect);
    }
}

bool CommandControl::UserControl_MouseUp(int button, int, float, float) {
    if (!buttonEnabled_) return false;
    if (button == kLeftButton) {
        mouseIsDown_ = false;
        if (lookState_ == 2) {
            PaintLook(SkinPicture::Normal);
        } else if (lookState_ == 4) {
            PaintLook(SkinPicture::HighLightSelect);
        }
    }
    return buttonEnabled_ && lookState_ != 3;
}

void CommandControl::TmrMouse_Timer() {
    if (!buttonEnabled_ || !timerRunning_) return;
    auto position = pointer_.CursorPosition();
    if (!position) return;  // nothing known about the pointer this tick
    WindowId under = pointer_.WindowFromPoint(*position);
    if (under == host_.HostWindow()) {
        LeaveHover();
        return;
    }
    if (under != host_.OwnWindow()) LeaveHover();
}

void CommandControl::UserControl_Resize() { ApplyEnabledLook(); }

// --- private operations ---

void CommandControl::PaintLook(SkinPicture picture) {
    RunStep([&] {
        PaintPlan plan = PlanPaintLook(picture, lookState_, gradientReversed_, face_.Size(), label_.height);
        face_.Paint(plan);
        label_.top = plan.labelTop;
        label_.left = plan.labelLeft;
        label_.width = plan.labelWidth;
        face_.LabelChanged();
    });
}

void CommandControl::LeaveHover() {
    if (!buttonEnabled_) return;
    if (lookState_ == 2) {
        lookState_ = 1;
        PaintLook(SkinPicture::Normal);
    } else if (lookState_ == 4) {
        lookState_ = 3;
        PaintLook(SkinPicture::Selected);
    }
}

void CommandControl::FollowFocus() {
    // Focus that came or went while the handlers were inert (a disabled window loses it unseen)
    // would leave a state that no later event corrects: the next click would raise nothing.
    const bool stateFocused = lookState_ == 3 || lookState_ == 4;
    const bool focused = host_.OwnWindowHasFocus();
    if (stateFocused && !focused) UserControl_LostFocus();
    if (!stateFocused && focused) UserControl_GotFocus();
}

void CommandControl::ApplyEnabledLook() {
    if (buttonEnabled_) {
        PaintLook(SkinPicture::Normal);
        SetLabelEnabled(true);
    } else {
        PaintLook(SkinPicture::Disable);
        SetLabelEnabled(false);
    }
}

void CommandControl::RestoreNormalLook() {
    if (!buttonEnabled_) return;
    if (!RunStep([&] { SetLabelEnabled(true); })) label_.colour = 0;
    if (firstRunMarker_ == 0) label_.colour = 0;
    PaintLook(SkinPicture::Normal);
}

void CommandControl::SetLabelColour(std::int64_t colour) {
    // Plain RGB values and system colours; anything else is refused and the colour stays.
    std::optional<std::uint32_t> accepted = ColourFromValue(colour);
    if (!accepted) throw RuntimeError(RuntimeError::Kind::Overflow, "invalid colour");
    label_.colour = *accepted;
    face_.LabelChanged();
}

void CommandControl::SetLabelEnabled(bool enabled) {
    if (label_.enabled == enabled) return;
    label_.enabled = enabled;
    face_.LabelChanged();
}

}  // namespace spindle
