// The opening and closing zoom of the settings dialog: the caption outline that grows from the
// remembered point to the window's frame, and shrinks back to it.
#pragma once

#include <cstdint>
#include <optional>

namespace spindle {

struct ScreenRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

struct ScreenPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// The animated-outline kind that draws a caption bar.
inline constexpr int kAnimateCaption = 3;

// What the zoom asks of the platform for one window.
class ZoomPort {
public:
    virtual ~ZoomPort() = default;
    // The window's frame in screen pixels; all zeros when it cannot be read.
    virtual ScreenRect WindowRect() = 0;
    virtual void DrawAnimatedRects(int kind, const ScreenRect& from, const ScreenRect& to) = 0;
};

// Screen point from which the settings dialog zooms open and to which it zooms closed.
extern std::int16_t ZoomPointX;
extern std::int16_t ZoomPointY;

// Remembers where the zoom starts and ends: each coordinate keeps its low 16 bits (large desktops
// wrap), and an unknown cursor position gives the screen's top-left corner.
void SetZoomPoint(std::optional<ScreenPoint> cursor);

// A rectangle of no size at ZoomPointX, ZoomPointY.
ScreenRect ZoomPointRect();

void ZoomWindowOpen(ZoomPort& window);
void ZoomWindowClose(ZoomPort& window);

}  // namespace spindle
