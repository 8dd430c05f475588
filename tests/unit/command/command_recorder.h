// A recording face, pointer and host for the gradient button's behaviour tests.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "controls/command/command_control.h"

namespace spindle::testing {

inline constexpr WindowId kOwnWindow = 0x100;
inline constexpr WindowId kHostWindow = 0x200;
inline constexpr WindowId kOtherWindow = 0x300;

struct CommandRecorder : CommandFacePort, PointerPort, CommandHostPort {
    FaceSize size{1215, 375, 81, 25};
    std::vector<PaintPlan> paints;
    std::vector<std::string> changed;
    std::optional<Point> cursor = Point{10, 10};
    WindowId under = kOwnWindow;
    int timerInterval = 0;
    CaptionFont ambient = DesignedCaptionFont();

    FaceSize Size() const override { return size; }
    void Paint(const PaintPlan& plan) override { paints.push_back(plan); }
    std::optional<Point> CursorPosition() override { return cursor; }
    WindowId WindowFromPoint(Point) override { return under; }
    void StartTimer(int interval) override { timerInterval = interval; }
    void PropertyChanged(std::string_view name) override { changed.emplace_back(name); }
    CaptionFont AmbientFont() const override { return ambient; }
    WindowId HostWindow() const override { return kHostWindow; }
    WindowId OwnWindow() const override { return kOwnWindow; }

    std::vector<SkinPicture> Pictures() const {
        std::vector<SkinPicture> pictures;
        for (const auto& plan : paints) pictures.push_back(plan.picture);
        return pictures;
    }
};

}  // namespace spindle::testing
