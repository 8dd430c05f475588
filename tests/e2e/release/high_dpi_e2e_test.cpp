// The saver on a scaled display (144 DPI, set by the test's fixture before this process starts):
// the window still covers the whole screen and the Earth picture still sits in its centre.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "runtime/scoped_gdi_win.h"
#include "support/launched_process_win.h"

namespace spindle {
namespace {

using test::LaunchedProcess;
using test::SaverPath;
using test::WaitUntil;

constexpr int kPictureSize = 320;

int ExpectedDpi() {
    const char* value = std::getenv("SPINDLE_EXPECTED_DPI");
    return value ? std::atoi(value) : 96;
}

// The screen's pixels as 0x00RRGGBB, row by row.
std::vector<std::uint32_t> CaptureScreen(int width, int height) {
    std::vector<std::uint32_t> pixels;
    ScopedWindowDC screen(nullptr);
    ScopedMemoryDC memory(screen.get());
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    ScopedBitmap dib(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!screen.get() || !memory.get() || !dib || !bits) return pixels;
    ScopedSelectObject select(memory.get(), dib.get());
    if (!BitBlt(memory.get(), 0, 0, width, height, screen.get(), 0, 0, SRCCOPY)) return pixels;
    GdiFlush();
    const auto* first = static_cast<const std::uint32_t*>(bits);
    pixels.assign(first, first + static_cast<std::size_t>(width) * height);
    for (auto& pixel : pixels) pixel &= 0xFFFFFF;
    return pixels;
}

int Brightest(std::uint32_t pixel) {
    return std::max({static_cast<int>(pixel >> 16 & 0xFF), static_cast<int>(pixel >> 8 & 0xFF),
                     static_cast<int>(pixel & 0xFF)});
}

struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
    bool Empty() const { return right <= left || bottom <= top; }
};

// Where the still picture is: pixels that are not black and stay the same over several frames
// while the lines move over them. Rows and columns need a few such pixels, so a line that
// happened to stand still for a moment does not count.
Box StillPictureBox(const std::vector<std::vector<std::uint32_t>>& frames, int width, int height) {
    std::vector<int> rowCounts(height), columnCounts(width);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * width + x;
            const std::uint32_t first = frames.front()[i];
            if (Brightest(first) < 24) continue;
            bool still = std::all_of(frames.begin(), frames.end(), [&](const auto& f) { return f[i] == first; });
            if (still) {
                ++rowCounts[y];
                ++columnCounts[x];
            }
        }
    }
    constexpr int kEnough = 4;
    Box box;
    auto firstRow = std::find_if(rowCounts.begin(), rowCounts.end(), [](int n) { return n >= kEnough; });
    auto lastRow = std::find_if(rowCounts.rbegin(), rowCounts.rend(), [](int n) { return n >= kEnough; });
    auto firstColumn = std::find_if(columnCounts.begin(), columnCounts.end(), [](int n) { return n >= kEnough; });
    auto lastColumn = std::find_if(columnCounts.rbegin(), columnCounts.rend(), [](int n) { return n >= kEnough; });
    if (firstRow == rowCounts.end() || firstColumn == columnCounts.end()) return box;
    box.top = static_cast<int>(firstRow - rowCounts.begin());
    box.bottom = static_cast<int>(rowCounts.rend() - lastRow);
    box.left = static_cast<int>(firstColumn - columnCounts.begin());
    box.right = static_cast<int>(columnCounts.rend() - lastColumn);
    return box;
}

class HighDpiSaver : public ::testing::Test {
protected:
    void SetUp() override {
        ScopedWindowDC screen(nullptr);
        // The fixture's registry setting must have reached new processes, or this test proves nothing.
        ASSERT_EQ(GetDeviceCaps(screen.get(), LOGPIXELSX), ExpectedDpi());
        ASSERT_EQ(GetDeviceCaps(screen.get(), LOGPIXELSY), ExpectedDpi());
        width_ = GetSystemMetrics(SM_CXSCREEN);
        height_ = GetSystemMetrics(SM_CYSCREEN);
    }

    int width_ = 0;
    int height_ = 0;
};

TEST_F(HighDpiSaver, CoversTheScreenAndCentresThePicture) {
    LaunchedProcess saver(SaverPath(), L"/s");
    ASSERT_TRUE(saver.Started());
    HWND window = saver.WaitForWindow(L"Spindlewave_Main", 20000);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, 20000));
    Sleep(1500);  // a few frames on screen

    RECT rect{};
    ASSERT_TRUE(GetWindowRect(window, &rect));
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, width_);
    EXPECT_EQ(rect.bottom, height_);
    RECT client{};
    ASSERT_TRUE(GetClientRect(window, &client));
    EXPECT_EQ(client.right, width_) << "a frame or title bar takes part of the screen";
    EXPECT_EQ(client.bottom, height_);
    for (POINT corner : {POINT{0, 0}, POINT{width_ - 1, 0}, POINT{0, height_ - 1}, POINT{width_ - 1, height_ - 1},
                         POINT{width_ / 2, height_ / 2}}) {
        EXPECT_EQ(WindowFromPoint(corner), window) << corner.x << "," << corner.y;
    }

    std::vector<std::vector<std::uint32_t>> frames;
    for (int i = 0; i < 8; ++i) {
        frames.push_back(CaptureScreen(width_, height_));
        ASSERT_EQ(frames.back().size(), static_cast<std::size_t>(width_) * height_);
        Sleep(300);
    }
    EXPECT_TRUE(saver.Running()) << "the saver ended by itself";
    // The lines move: the captures see the live screen, and the animation runs at this DPI.
    EXPECT_NE(frames.front(), frames.back());

    // The 320 x 320 picture's place when centred; the Earth lies inside it, on black.
    const int left = (width_ - kPictureSize) / 2;
    const int top = (height_ - kPictureSize) / 2;
    Box picture = StillPictureBox(frames, width_, height_);
    ASSERT_FALSE(picture.Empty()) << "no still picture on the screen";
    EXPECT_GE(picture.left, left);
    EXPECT_GE(picture.top, top);
    EXPECT_LE(picture.right, left + kPictureSize);
    EXPECT_LE(picture.bottom, top + kPictureSize);
    EXPECT_GE(picture.right - picture.left, kPictureSize * 3 / 4) << "the picture is cut or shrunk";
    EXPECT_GE(picture.bottom - picture.top, kPictureSize * 3 / 4);
    EXPECT_NEAR((picture.left + picture.right) / 2.0, width_ / 2.0, 12.0);
    EXPECT_NEAR((picture.top + picture.bottom) / 2.0, height_ / 2.0, 12.0);

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(saver.WaitForExit(10000));
}

}  // namespace
}  // namespace spindle
