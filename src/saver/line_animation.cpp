// The animation's arithmetic, kept in the widths the saver has always used: 32-bit anchors,
// 16-bit velocities and phase, pens stored as 32-bit floats with sums taken in double.
#include "saver/line_animation.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "runtime/conversions.h"

namespace spindle {
namespace {

void Bounce(std::int32_t position, std::int16_t& velocity, float limit) {
    if (velocity > 0) {
        if (limit < static_cast<double>(position)) velocity = static_cast<std::int16_t>(-std::abs(velocity));
    } else if (position < 0) {
        velocity = static_cast<std::int16_t>(std::abs(velocity));
    }
}

float Advance(float pen, double step) { return static_cast<float>(static_cast<double>(pen) + step); }

}  // namespace

void StartAnchors(AnchorState& anchors, float width, float height, RandomSource& random) {
    for (int k = 0; k < kAnchorCount; ++k) {
        anchors.PosX[k] = RoundToInt32(width / 2.0);
        anchors.PosY[k] = RoundToInt32(height / 2.0);
        const int r = static_cast<int>(IntegerPart(random.Next() * 4));
        const auto mx = static_cast<std::int16_t>(IntegerPart(random.Next() * 10 + 1));
        const auto my = static_cast<std::int16_t>(IntegerPart(random.Next() * 10 + 1));
        const bool rightwards = r == 0 || r == 2;
        const bool downwards = r == 0 || r == 3;
        anchors.VelX[k] = rightwards ? mx : static_cast<std::int16_t>(-mx);
        anchors.VelY[k] = downwards ? my : static_cast<std::int16_t>(-my);
    }
}

void MoveAnchors(AnchorState& anchors, float width, float height) {
    for (int k = 0; k < kAnchorCount; ++k) {
        anchors.PosX[k] += anchors.VelX[k];
        anchors.PosY[k] += anchors.VelY[k];
        Bounce(anchors.PosX[k], anchors.VelX[k], width);
        Bounce(anchors.PosY[k], anchors.VelY[k], height);
    }
}

double TwistAngle(std::int16_t phase) { return (phase / 200.0) / (180.0 / 3.14); }

void AdvancePhase(PhaseState& phase, float rotationSpeed) {
    // The sum is taken in single precision, as the speed is a single.
    if (phase.PhaseRising) {
        const std::int16_t next = RoundToInt16(static_cast<float>(phase.Phase) + rotationSpeed);
        if (next >= kPhaseTop) {
            phase.Phase = kPhaseTop;
            phase.PhaseRising = false;
        } else {
            phase.Phase = next;
        }
    } else {
        const std::int16_t next = RoundToInt16(static_cast<float>(phase.Phase) - rotationSpeed);
        if (next <= 0) {
            phase.Phase = 0;
            phase.PhaseRising = true;
        } else {
            phase.Phase = next;
        }
    }
}

void ComputeFrame(const AnchorState& anchors, double twistAngle, FrameSegments& segments) {
    std::array<float, kAnchorCount> penAX, penAY, penBX, penBY;
    for (int k = 0; k < kAnchorCount; ++k) {
        penAX[k] = penBX[k] = static_cast<float>(anchors.PosX[k]);
        penAY[k] = penBY[k] = static_cast<float>(anchors.PosY[k]);
    }
    int n = 0;
    for (int j = 1; j <= kStepsPerFigure; ++j) {
        const double a = twistAngle * j - 5;
        const double b = twistAngle * j + 5;
        const double stepAX = std::sin(a) * j * 10;
        const double stepAY = std::cos(a) * j * 10;
        const double stepBX = std::sin(b) * j * 10;
        const double stepBY = std::cos(b) * j * 10;
        const auto c = static_cast<std::uint32_t>(RoundToInt16(255.0 / 200.0 * j));
        const std::array<std::uint32_t, kAnchorCount> colours{Rgb(c, 0, 0), Rgb(0, c, 0), Rgb(0, 0, c)};
        for (int k = 0; k < kAnchorCount; ++k) {
            penAX[k] = Advance(penAX[k], stepAX);
            penAY[k] = Advance(penAY[k], stepAY);
            penBX[k] = Advance(penBX[k], stepBX);
            penBY[k] = Advance(penBY[k], stepBY);
            segments[n++] = Segment{penAX[k], penAY[k], penBX[k], penBY[k], colours[k]};
        }
    }
}

void FollowLayout(AnimationState& state, MonitorSurfaces& monitors, RandomSource& random) {
    const auto count = static_cast<std::size_t>(std::max(monitors.MonitorCount(), 0));
    if (state.Monitors.size() != count) state.Monitors.resize(count);
    for (std::size_t m = 0; m < count; ++m) {
        MonitorAnchors& monitor = state.Monitors[m];
        DrawingSurface& surface = monitors.Monitor(static_cast<int>(m));
        const float width = surface.ScaleWidth(), height = surface.ScaleHeight();
        if (width == monitor.Width && height == monitor.Height) continue;
        StartAnchors(monitor.Anchors, width, height, random);
        monitor.Width = width;
        monitor.Height = height;
    }
}

void DrawMonitorFrame(AnchorState& anchors, DrawingSurface& surface, double twistAngle, FrameSegments& segments) {
    MoveAnchors(anchors, surface.ScaleWidth(), surface.ScaleHeight());
    surface.Cls();
    ComputeFrame(anchors, twistAngle, segments);
    for (const Segment& s : segments) surface.Line(s.x1, s.y1, s.x2, s.y2, s.rgb);
    surface.Refresh();
}

void RunAnimation(AnimationState& state, MonitorSurfaces& monitors, EventYield& events, FrameWaitPort& frameWait,
                  RandomSource& random, float rotationSpeed) {
    state.Running = true;
    PhaseState phase;
    FrameSegments segments;
    FramePacer pacer(frameWait);
    for (;;) {
        if (state.Paused) {
            frameWait.WaitForEvents();
            events.YieldToEvents();
            if (!state.Running) return;
            continue;
        }
        FollowLayout(state, monitors, random);
        const double twistAngle = TwistAngle(phase.Phase);
        for (std::size_t m = 0; m < state.Monitors.size(); ++m)
            DrawMonitorFrame(state.Monitors[m].Anchors, monitors.Monitor(static_cast<int>(m)), twistAngle, segments);
        events.YieldToEvents();
        if (!state.Running) return;
        pacer.WaitForNextStep(events, state.Running);
        if (!state.Running) return;
        AdvancePhase(phase, rotationSpeed);
    }
}

}  // namespace spindle
