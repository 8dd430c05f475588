// The gradient button painted into an off-screen surface: frame ring colours of every look,
// the gradient's direction, and the gradient's last row and column left to the frame.
#include "controls/command/command_painter_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace spindle {
namespace {

using Rgb = std::uint32_t;  // 0xRRGGBB
constexpr int kWidth = 81;   // 1215 twips
constexpr int kHeight = 25;  // 375 twips
constexpr COLORREF kBackground = RGB(0x12, 0x34, 0x56);
constexpr Rgb kBackgroundRgb = 0x123456;

// A 32-bit top-down DIB with a memory DC, read back as 0xRRGGBB.
class Surface {
public:
    Surface() {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = kWidth;
        info.bmiHeader.biHeight = -kHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = static_cast<const std::uint32_t*>(bits);
        selected_ = std::make_unique<ScopedSelectObject>(dc_.get(), bitmap_.get());
    }
    HDC dc() const { return dc_.get(); }
    Rgb At(int x, int y) const {
        GdiFlush();
        return bits_[y * kWidth + x] & 0xFFFFFF;
    }

private:
    ScopedMemoryDC dc_;
    ScopedBitmap bitmap_;
    const std::uint32_t* bits_ = nullptr;
    std::unique_ptr<ScopedSelectObject> selected_;
};

std::unique_ptr<Surface> Paint(const CommandPainterWin& painter, SkinPicture picture, std::uint8_t state,
                               bool& reversed, bool withFrame = true) {
    auto surface = std::make_unique<Surface>();
    PaintPlan plan = PlanPaintLook(picture, state, reversed, FaceSize{1215, 375, kWidth, kHeight}, 195);
    if (!withFrame) plan.pieces.clear();
    painter.CarryOut(surface->dc(), SIZE{kWidth, kHeight}, kBackground, plan);
    return surface;
}

int Distance(Rgb a, Rgb b) {
    int red = std::abs(static_cast<int>((a >> 16) & 0xFF) - static_cast<int>((b >> 16) & 0xFF));
    int green = std::abs(static_cast<int>((a >> 8) & 0xFF) - static_cast<int>((b >> 8) & 0xFF));
    int blue = std::abs(static_cast<int>(a & 0xFF) - static_cast<int>(b & 0xFF));
    return std::max({red, green, blue});
}

// The frame ring of each look, outermost line first; the sides shade from the first colour at
// the top of the side edge (row 4) to the second at its bottom (row 20).
struct Ring {
    SkinPicture picture;
    const char* name;
    Rgb top[4];
    Rgb bottom[4];
    Rgb leftTop[4], leftBottom[4];
    Rgb rightTop[4], rightBottom[4];
};

constexpr Rgb kFrame = 0x003C74;
const Ring kRings[] = {
    {SkinPicture::Normal, "Normal", {0xE0DCC9, kFrame, 0xF3F3EE, 0xF3F3EE}, {0xF7F6EF, kFrame, 0xD6D0C5, 0xE2DFD6},
     {0xE2DECB, kFrame, 0xFDFDFC, 0xFDFDFC}, {0xE2DECB, kFrame, 0xECEBE6, 0xECEBE6},
     {0xF0EEE0, kFrame, 0xF6F4F2, 0xF6F4F2}, {0xF0EEE0, kFrame, 0xE0DDD4, 0xE0DDD4}},
    {SkinPicture::HighLight, "HighLight", {0xE0DCC9, kFrame, 0xFFF0CF, 0xFDD889},
     {0xF7F6EF, kFrame, 0xE59700, 0xF8B330}, {0xE2DECB, kFrame, 0xFEDF9A, 0xFEDF9A},
     {0xE2DECB, kFrame, 0xF9B435, 0xF9B435}, {0xF0EEE0, kFrame, 0xFEDF9A, 0xFEDF9A},
     {0xF0EEE0, kFrame, 0xF9B435, 0xF9B435}},
    {SkinPicture::HighLightSelect, "HighLightSelect", {0xE0DCC9, kFrame, 0xFFF0CF, 0xFDD889},
     {0xF7F6EF, kFrame, 0xE59700, 0xF8B330}, {0xE2DECB, kFrame, 0xFEDF9A, 0xFEDF9A},
     {0xE2DECB, kFrame, 0xF9B435, 0xF9B435}, {0xF0EEE0, kFrame, 0xFEDF9A, 0xFEDF9A},
     {0xF0EEE0, kFrame, 0xF9B435, 0xF9B435}},
    {SkinPicture::Selected, "Selected", {0xE0DCC9, kFrame, 0xCEE7FF, 0xCEE7FF},
     {0xF7F6EF, kFrame, 0x6982EE, 0x6982EE}, {0xE2DECB, kFrame, 0xB7D0F4, 0xB7D0F4},
     {0xE2DECB, kFrame, 0x8BADE4, 0x8BADE4}, {0xF0EEE0, kFrame, 0xB7D0F4, 0xB7D0F4},
     {0xF0EEE0, kFrame, 0x8BADE4, 0x8BADE4}},
    // The pressed frame sits one pixel further in.
    {SkinPicture::Pressed, "Pressed", {0xECE9D8, 0xE0DCC9, kFrame, 0xD1CCC1}, {0xECE9D8, 0xF6F5ED, kFrame, 0xF2F1EE},
     {0xECE9D8, 0xE2DECB, kFrame, 0xA0ABB1}, {0xECE9D8, 0xE2DECB, kFrame, 0xBCC5C7},
     {0xECE9D8, 0xEDEADA, kFrame, 0xA9B5BD}, {0xECE9D8, 0xEDEADA, kFrame, 0xC4CED2}},
    {SkinPicture::Disable, "Disable", {0xECE9D8, 0xC9C7BA, 0xF5F4EA, 0xF5F4EA}, {0xECE9D8, 0xC9C7BA, 0xF5F4EA, 0xF5F4EA},
     {0xECE9D8, 0xC9C7BA, 0xF5F4EA, 0xF5F4EA}, {0xECE9D8, 0xC9C7BA, 0xF5F4EA, 0xF5F4EA},
     {0xECE9D8, 0xC9C7BA, 0xF5F4EA, 0xF5F4EA}, {0xECE9D8, 0xC9C7BA, 0xF5F4EA, 0xF5F4EA}},
};

TEST(CommandPainter, SkinsAreInTheProgram) {
    CommandPainterWin painter;
    EXPECT_TRUE(painter.SkinsLoaded());
}

TEST(CommandPainter, RingOfEveryLookCarriesItsColours) {
    CommandPainterWin painter;
    ASSERT_TRUE(painter.SkinsLoaded());
    for (const Ring& ring : kRings) {
        SCOPED_TRACE(ring.name);
        bool reversed = false;
        auto face = Paint(painter, ring.picture, 1, reversed);
        for (int line = 0; line < 4; ++line) {
            SCOPED_TRACE(line);
            // Along the stretched top and bottom edges, the whole length.
            for (int x : {4, 40, 76}) {
                EXPECT_EQ(face->At(x, line), ring.top[line]) << std::hex << "x " << x;
                EXPECT_EQ(face->At(x, kHeight - 1 - line), ring.bottom[line]) << std::hex << "x " << x;
            }
            EXPECT_EQ(face->At(line, 4), ring.leftTop[line]) << std::hex;
            EXPECT_EQ(face->At(line, 20), ring.leftBottom[line]) << std::hex;
            EXPECT_EQ(face->At(kWidth - 1 - line, 4), ring.rightTop[line]) << std::hex;
            EXPECT_EQ(face->At(kWidth - 1 - line, 20), ring.rightBottom[line]) << std::hex;
        }
        // Rounded corners: the frame's square corner point is not frame-coloured, its neighbours nearly are.
        int frameLine = ring.picture == SkinPicture::Pressed ? 2 : 1;
        Rgb frame = ring.top[frameLine];
        for (auto [x, y] : {std::pair{frameLine, frameLine}, std::pair{kWidth - 1 - frameLine, frameLine},
                            std::pair{frameLine, kHeight - 1 - frameLine},
                            std::pair{kWidth - 1 - frameLine, kHeight - 1 - frameLine}}) {
            EXPECT_NE(face->At(x, y), frame) << x << "," << y;
        }
        EXPECT_EQ(face->At(4, frameLine), frame);
        EXPECT_EQ(face->At(frameLine, 4), frame);
    }
}

TEST(CommandPainter, HighLightAndHighLightSelectAreTheSameFrame) {
    CommandPainterWin painter;
    bool reversed = false;
    auto hover = Paint(painter, SkinPicture::HighLight, 1, reversed);
    auto hoverFocused = Paint(painter, SkinPicture::HighLightSelect, 1, reversed);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) ASSERT_EQ(hover->At(x, y), hoverFocused->At(x, y)) << x << "," << y;
    }
}

TEST(CommandPainter, GradientRunsAsTheStateSays) {
    CommandPainterWin painter;
    struct Case {
        std::uint8_t state;
        bool lavenderOnTop;
    };
    // State 4 right after state 2 keeps lavender on top.
    const Case cases[] = {{1, false}, {2, true}, {4, true}, {3, false}, {4, false}, {2, true}, {1, false}};
    bool reversed = false;
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.state));
        auto face = Paint(painter, SkinPicture::Normal, c.state, reversed, false);
        Rgb top = c.lavenderOnTop ? 0xC6C5D7 : 0xFFFFFF;
        Rgb bottom = c.lavenderOnTop ? 0xFFFFFF : 0xC6C5D7;
        for (int x : {0, 40, kWidth - 2}) {
            EXPECT_LE(Distance(face->At(x, 0), top), 1) << std::hex << face->At(x, 0);
            EXPECT_LE(Distance(face->At(x, kHeight - 2), bottom), 4) << std::hex << face->At(x, kHeight - 2);
        }
        // Inside the frame the interior runs the same way.
        auto framed = Paint(painter, SkinPicture::Normal, c.state, reversed);
        EXPECT_LT(Distance(framed->At(40, 4), top), Distance(framed->At(40, 20), top));
    }
}

TEST(CommandPainter, GradientStopsOnePixelShortAndTheFrameCoversIt) {
    CommandPainterWin painter;
    bool reversed = false;
    auto bare = Paint(painter, SkinPicture::Normal, 1, reversed, false);
    for (int x = 0; x < kWidth; ++x) EXPECT_EQ(bare->At(x, kHeight - 1), kBackgroundRgb) << x;
    for (int y = 0; y < kHeight; ++y) EXPECT_EQ(bare->At(kWidth - 1, y), kBackgroundRgb) << y;
    EXPECT_NE(bare->At(kWidth - 2, kHeight - 2), kBackgroundRgb);

    auto framed = Paint(painter, SkinPicture::Normal, 1, reversed);
    for (int x = 0; x < kWidth; ++x) EXPECT_NE(framed->At(x, kHeight - 1), kBackgroundRgb) << x;
    for (int y = 0; y < kHeight; ++y) EXPECT_NE(framed->At(kWidth - 1, y), kBackgroundRgb) << y;
    EXPECT_EQ(framed->At(40, kHeight - 1), 0xF7F6EFu);
    EXPECT_EQ(framed->At(kWidth - 1, 12), 0xF0EEE0u);
}

}  // namespace
}  // namespace spindle
