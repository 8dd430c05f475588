// Windowless labels, images and shapes over a picture box's kept drawing: what is painted where,
// which control a click reaches, and the speed bar's control under real scroll messages.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "runtime/runtime_error.h"
#include "runtime/scoped_gdi_win.h"
#include "runtime/windowless_host_win.h"
#include "settings_dialog/scroll_bar_win.h"

namespace spindle {
namespace {

constexpr COLORREF kBack = RGB(128, 128, 128);

// A hidden top-level window holding one picture box of 200 x 100 pixels.
class PictureBoxFixture : public ::testing::Test {
protected:
    void SetUp() override {
        parent_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(parent_, nullptr);
        ASSERT_TRUE(box_.Create(parent_, RECT{0, 0, 200, 100}, 7, false));
        box_.Host().SetBackColour(kBack);
        box_.Host().Cls();
    }
    void TearDown() override { DestroyWindow(parent_); }

    // The picture box as it paints itself, 0x00RRGGBB, row by row.
    std::vector<std::uint32_t> Painted() {
        ScopedWindowDC screen(nullptr);
        ScopedMemoryDC memory(screen.get());
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = 200;
        info.bmiHeader.biHeight = -100;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        ScopedBitmap bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        {
            ScopedSelectObject select(memory.get(), bitmap.get());
            box_.Host().PaintTo(memory.get(), RECT{0, 0, 200, 100});
        }
        GdiFlush();
        const auto* p = static_cast<const std::uint32_t*>(bits);
        return std::vector<std::uint32_t>(p, p + 200 * 100);
    }
    static std::uint32_t At(const std::vector<std::uint32_t>& pixels, int x, int y) { return pixels[y * 200 + x] & 0xFFFFFF; }
    static std::uint32_t Rgb(int r, int g, int b) { return static_cast<std::uint32_t>((r << 16) | (g << 8) | b); }

    void Click(int x, int y, int upX, int upY) {
        LRESULT result = 0;
        box_.Host().HandleMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y), result);
        box_.Host().HandleMessage(WM_LBUTTONUP, 0, MAKELPARAM(upX, upY), result);
    }

    HWND parent_ = nullptr;
    PictureBox box_;
};

TEST_F(PictureBoxFixture, ControlsArePaintedOverTheKeptDrawingAtTheirPlaces) {
    WindowlessHost& host = box_.Host();
    host.Line(0, 90, 200, 90, RGB(10, 20, 30));

    // A 12 x 12 picture in a 20 x 20 image control: drawn at its own size.
    ScopedWindowDC screen(nullptr);
    ScopedBitmap picture(CreateCompatibleBitmap(screen.get(), 12, 12));
    {
        ScopedMemoryDC dc(screen.get());
        ScopedSelectObject select(dc.get(), picture.get());
        ScopedBrush blue(CreateSolidBrush(RGB(0, 0, 255)));
        RECT all{0, 0, 12, 12};
        FillRect(dc.get(), &all, blue.get());
    }
    host.Add<WindowlessImage>(RECT{10, 10, 30, 30}).SetPicture(picture.get());
    host.Add<WindowlessShape>(RECT{50, 10, 90, 40}).SetColour(RGB(0, 0, 0));
    WindowlessLabel& label = host.Add<WindowlessLabel>(RECT{100, 10, 190, 30});
    label.SetColour(RGB(255, 255, 255));
    label.SetFont(LabelFont{L"Tahoma", 12});
    label.SetCaption("Wave");

    const std::vector<std::uint32_t> pixels = Painted();
    EXPECT_EQ(At(pixels, 0, 0), Rgb(128, 128, 128));
    EXPECT_EQ(At(pixels, 5, 90), Rgb(10, 20, 30));
    EXPECT_EQ(At(pixels, 10, 10), Rgb(0, 0, 255));
    EXPECT_EQ(At(pixels, 21, 21), Rgb(0, 0, 255));
    EXPECT_EQ(At(pixels, 22, 22), Rgb(128, 128, 128));  // beyond the picture, inside the control
    EXPECT_EQ(At(pixels, 50, 10), Rgb(0, 0, 0));
    EXPECT_EQ(At(pixels, 89, 39), Rgb(0, 0, 0));
    EXPECT_EQ(At(pixels, 70, 25), Rgb(128, 128, 128));  // no fill

    int inkInside = 0, inkOutside = 0;
    for (int y = 0; y < 100; ++y) {
        for (int x = 95; x < 200; ++x) {
            if (At(pixels, x, y) != Rgb(255, 255, 255)) continue;
            (x >= 100 && x < 190 && y >= 10 && y < 30 ? inkInside : inkOutside)++;
        }
    }
    EXPECT_GT(inkInside, 10);
    EXPECT_EQ(inkOutside, 0);
}

TEST_F(PictureBoxFixture, LabelSizedToItsTextFollowsItsCaption) {
    WindowlessLabel& label = box_.Host().Add<WindowlessLabel>(RECT{20, 20, 200, 40});
    label.SetFont(LabelFont{L"Tahoma", 10});
    label.SetAutoSize(true);
    label.SetCaption("12");
    const LONG shortWidth = label.Bounds().right - label.Bounds().left;
    label.SetCaption("a much longer caption");
    const LONG longWidth = label.Bounds().right - label.Bounds().left;
    EXPECT_GT(shortWidth, 0);
    EXPECT_GT(longWidth, shortWidth * 3);
    EXPECT_EQ(label.Bounds().left, 20);
    EXPECT_EQ(label.Bounds().top, 20);
    EXPECT_GT(label.Bounds().bottom, 20);
    label.SetCaption("");
    EXPECT_EQ(label.Bounds().right, 20);
}

TEST_F(PictureBoxFixture, ClickReachesTheTopmostControlThatTakesTheMouse) {
    WindowlessHost& host = box_.Host();
    int labelClicks = 0, imageClicks = 0;
    WindowlessLabel& label = host.Add<WindowlessLabel>(RECT{10, 10, 60, 30});
    label.onClick = [&] { ++labelClicks; };
    WindowlessImage& image = host.Add<WindowlessImage>(RECT{40, 10, 80, 30});
    image.onClick = [&] { ++imageClicks; };
    host.Add<WindowlessShape>(RECT{0, 0, 100, 50});  // a frame over both lets clicks through

    Click(20, 20, 20, 20);
    EXPECT_EQ(labelClicks, 1);
    Click(50, 20, 50, 20);  // where both lie, the later one is on top
    EXPECT_EQ(imageClicks, 1);
    EXPECT_EQ(labelClicks, 1);
    Click(20, 20, 70, 20);  // released over another control: no click
    Click(20, 20, 150, 80);
    Click(150, 80, 150, 80);
    EXPECT_EQ(labelClicks, 1);
    EXPECT_EQ(imageClicks, 1);
}

TEST_F(PictureBoxFixture, SpeedBarRefusesValuesOutsideItsRangeAndStepsByOne) {
    HorizontalScrollBar bar(1, 50, 1, 1, 1);
    ASSERT_TRUE(bar.Create(box_.Window(), RECT{10, 10, 80, 27}, 9));
    int changes = 0, scrolls = 0;
    bar.onChange = [&] { ++changes; };
    bar.onScroll = [&] { ++scrolls; };
    EXPECT_THROW(bar.SetValue(75), RuntimeError);
    EXPECT_EQ(SendMessageW(bar.Window(), SBM_GETPOS, 0, 0), 1);
    bar.SetValue(25);
    EXPECT_EQ(changes, 1);

    const auto scroll = [&](WORD code) {
        EXPECT_TRUE(bar.HandleScroll(MAKEWPARAM(code, 0), reinterpret_cast<LPARAM>(bar.Window())));
    };
    scroll(SB_LINERIGHT);
    EXPECT_EQ(bar.Value(), 26);
    scroll(SB_PAGELEFT);
    scroll(SB_LINELEFT);
    EXPECT_EQ(bar.Value(), 24);
    EXPECT_EQ(SendMessageW(bar.Window(), SBM_GETPOS, 0, 0), 24);
    scroll(SB_RIGHT);
    scroll(SB_LINERIGHT);  // already at the end: no change
    EXPECT_EQ(bar.Value(), 50);
    EXPECT_EQ(changes, 5);
    EXPECT_EQ(scrolls, 0);
    EXPECT_FALSE(bar.HandleScroll(MAKEWPARAM(SB_LINELEFT, 0), reinterpret_cast<LPARAM>(parent_)));
    EXPECT_EQ(bar.Value(), 50);
}

}  // namespace
}  // namespace spindle
