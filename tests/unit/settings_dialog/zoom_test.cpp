// The dialog's zoom: the remembered point, and the outline from it to the frame and back.
#include "startup/zoom.h"

#include <gtest/gtest.h>

#include <vector>

#include "startup/process_values.h"

namespace spindle {
namespace {

struct AnimatedRects {
    int kind;
    ScreenRect from;
    ScreenRect to;
};

class RecordingZoom : public ZoomPort {
public:
    ScreenRect frame{300, 200, 771, 426};
    std::vector<AnimatedRects> drawn;

    ScreenRect WindowRect() override { return frame; }
    void DrawAnimatedRects(int kind, const ScreenRect& from, const ScreenRect& to) override {
        drawn.push_back({kind, from, to});
    }
};

TEST(Zoom, OpensFromThePointAndClosesBackToIt) {
    SetZoomPoint(ScreenPoint{100, 200});
    RecordingZoom window;
    ZoomWindowOpen(window);
    ZoomWindowClose(window);
    const ScreenRect point{100, 200, 100, 200};
    ASSERT_EQ(window.drawn.size(), 2u);
    EXPECT_EQ(window.drawn[0].kind, 3);
    EXPECT_EQ(window.drawn[0].from, point);
    EXPECT_EQ(window.drawn[0].to, window.frame);
    EXPECT_EQ(window.drawn[1].kind, 3);
    EXPECT_EQ(window.drawn[1].from, window.frame);
    EXPECT_EQ(window.drawn[1].to, point);
}

TEST(Zoom, UnknownCursorAndUnreadableFrameUseTheCorner) {
    SetZoomPoint(ScreenPoint{40, 50});
    SetZoomPoint(std::nullopt);
    EXPECT_EQ(ZoomPointX, 0);
    EXPECT_EQ(ZoomPointY, 0);
    RecordingZoom window;
    window.frame = ScreenRect{};
    ZoomWindowOpen(window);
    ASSERT_EQ(window.drawn.size(), 1u);
    EXPECT_EQ(window.drawn[0].from, ScreenRect{});
    EXPECT_EQ(window.drawn[0].to, ScreenRect{});
}

TEST(Zoom, PointKeepsTheLow16BitsOfEachCoordinate) {
    struct Case {
        std::int32_t x, y;
        std::int16_t keptX, keptY;
    };
    for (const Case& c : {Case{65636, 70000, 100, 4464}, Case{40000, -1, -25536, -1}, Case{-70000, 32768, -4464, -32768},
                          Case{-5, 7, -5, 7}}) {
        SetZoomPoint(ScreenPoint{c.x, c.y});
        EXPECT_EQ(ZoomPointX, c.keptX) << c.x;
        EXPECT_EQ(ZoomPointY, c.keptY) << c.y;
        EXPECT_EQ(ZoomPointRect(), (ScreenRect{c.keptX, c.keptY, c.keptX, c.keptY}));
    }
}

}  // namespace
}  // namespace spindle
