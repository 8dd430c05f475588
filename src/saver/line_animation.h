// The line animation: three anchors drifting and bouncing, a twist phase sweeping up and down,
// and the 600 segments of each frame, on every monitor. Knows nothing of windows; the saver form
// supplies the drawing surfaces, the event-loop yield and the wait between frames.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "saver/event_yield.h"
#include "saver/frame_pacing.h"
#include "saver/uniform_random.h"

namespace spindle {

inline constexpr int kAnchorCount = 3;        // red, green, blue: also the drawing order in a step
inline constexpr int kStepsPerFigure = 200;
inline constexpr int kSegmentsPerFrame = kAnchorCount * kStepsPerFigure;
inline constexpr std::int16_t kPhaseTop = 25210;

// A colour as the platform's drawing calls take it: red in the low byte, then green, then blue.
constexpr std::uint32_t Rgb(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    return red | (green << 8) | (blue << 16);
}

// The surface the animation draws on, in its own scale units (the saver uses twips).
class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;
    virtual float ScaleWidth() = 0;
    virtual float ScaleHeight() = 0;
    // Clears the off-screen image back to its background picture.
    virtual void Cls() = 0;
    virtual void Line(float x1, float y1, float x2, float y2, std::uint32_t rgb) = 0;
    // Shows the off-screen image.
    virtual void Refresh() = 0;
};

// The drawing surfaces of the saver, one per monitor: the primary monitor first, then the others
// in the system's order. The set may change during an event pass (a new display layout).
class MonitorSurfaces {
public:
    virtual ~MonitorSurfaces() = default;
    virtual int MonitorCount() = 0;
    virtual DrawingSurface& Monitor(int index) = 0;
};

// One surface as the only monitor (a single off-screen picture).
class OneMonitor : public MonitorSurfaces {
public:
    explicit OneMonitor(DrawingSurface& surface) : surface_(surface) {}
    int MonitorCount() override { return 1; }
    DrawingSurface& Monitor(int) override { return surface_; }

private:
    DrawingSurface& surface_;
};

// The three anchors of one monitor.
struct AnchorState {
    std::array<std::int32_t, kAnchorCount> PosX{};
    std::array<std::int32_t, kAnchorCount> PosY{};
    std::array<std::int16_t, kAnchorCount> VelX{};
    std::array<std::int16_t, kAnchorCount> VelY{};
};

// A monitor's anchors and the surface size they were started on.
struct MonitorAnchors {
    AnchorState Anchors;
    float Width = -1, Height = -1;  // below 0: not started yet
};

// Window-level state of the animation: the anchors of each monitor, in the surfaces' order; the
// saver's shut-down clears Running. While Paused (the display is off) no frame is drawn and the
// loop waits for events alone; it goes on from where it stopped.
struct AnimationState {
    std::vector<MonitorAnchors> Monitors;
    bool Running = false;
    bool Paused = false;
};

struct PhaseState {
    std::int16_t Phase = 0;
    bool PhaseRising = true;
};

struct Segment {
    float x1, y1, x2, y2;
    std::uint32_t rgb;
};

using FrameSegments = std::array<Segment, kSegmentsPerFrame>;

// All anchors at the centre (rounded half to even); each draws r, mx, my in that order.
void StartAnchors(AnchorState& anchors, float width, float height, RandomSource& random);

// One frame's move: integer steps, turning only strictly beyond the edge moved towards.
void MoveAnchors(AnchorState& anchors, float width, float height);

// (Phase / 200) degrees in radians, with pi taken as 3.14.
double TwistAngle(std::int16_t phase);

// Moves the phase by the speed, clamped and turned at 0 and kPhaseTop. A result outside
// 16 bits throws RuntimeError (Overflow) and leaves the state as it was.
void AdvancePhase(PhaseState& phase, float rotationSpeed);

// The 600 segments of a frame in drawing order: step 1 red, green, blue, then step 2, ...
void ComputeFrame(const AnchorState& anchors, double twistAngle, FrameSegments& segments);

// Starts the anchors of each monitor that is new or has changed size since the last call, in the
// surfaces' order, each at its own centre; the others go on where they are. Allocates only when
// the number of monitors changes.
void FollowLayout(AnimationState& state, MonitorSurfaces& monitors, RandomSource& random);

// One monitor's frame: move its anchors within its own edges, clear, draw the 600 lines, show it.
void DrawMonitorFrame(AnchorState& anchors, DrawingSurface& surface, double twistAngle, FrameSegments& segments);

// The frame loop: each step draws and shows every monitor (starting those of a new layout), yields
// and waits for the next step (paced to the display), until Running is false after an event pass;
// while Paused it only waits for events and handles them.
// With one monitor, the random draws and frames are those of a single screen. An error (the phase
// overflow) ends it by throwing; the last frame stays drawn. Allocates nothing once started,
// unless the layout changes.
void RunAnimation(AnimationState& state, MonitorSurfaces& monitors, EventYield& events, FrameWaitPort& frameWait,
                  RandomSource& random, float rotationSpeed);

}  // namespace spindle
