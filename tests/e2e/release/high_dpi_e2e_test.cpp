// The saver on a 144-DPI display (set by this test's fixture): it still covers the whole screen and
// the Earth picture still sits in its centre.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "runtime/scoped_gdi_win.h"
#include "support/launched_process_win.h"
#include "support/screen_pixels_win.h"

namespace spindle {
namespace {

using test::ScreenPixels;

struct Span {
    int first = -1, last = -1;
};

// The rows (or columns) holding at least a few still, non-black pixels: the picture, which the
// moving lines cross but never replace. One line standing still for a moment is not enough.
Span StillSpan(const std::vector<ScreenPixels>& frames, bool rows) {
    const ScreenPixels& first = frames.front();
    std::vector<int> counts(rows ? first.height : first.width);
    for (int y = 0; y < first.height; ++y) {
        for (int x = 0; x < first.width; ++x) {
            const std::uint32_t pixel = first.At(x, y);
            if ((pixel & 0xE0E0E0) == 0 || !std::all_of(frames.begin(), frames.end(), [&](auto& f) { return f.At(x, y) == pixel; }))
                continue;
            ++counts[rows ? y : x];
        }
    }
    Span span;
    for (int i = 0; i < static_cast<int>(counts.size()); ++i) {
        if (counts[i] < 4) continue;
        if (span.first < 0) span.first = i;
        span.last = i;
    }
    return span;
}

TEST(HighDpiSaver, CoversTheScreenAndCentresThePicture) {
    {
        ScopedWindowDC screen(nullptr);
        ASSERT_EQ(GetDeviceCaps(screen.get(), LOGPIXELSX), 144) << "the fixture's DPI did not take";
    }
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    test::LaunchedProcess saver(test::SaverPath(), L"/s");
    HWND window = saver.WaitForWindow(L"Spindlewave_Main", 20000);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(test::WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, 20000));
    Sleep(1500);  // a few frames on screen

    RECT rect{}, client{}, full{0, 0, width, height};
    ASSERT_TRUE(GetWindowRect(window, &rect) && GetClientRect(window, &client));
    EXPECT_TRUE(EqualRect(&rect, &full)) << rect.left << "," << rect.top << " " << rect.right << "x" << rect.bottom;
    EXPECT_TRUE(EqualRect(&client, &full)) << "a frame or title bar takes part of the screen";

    std::vector<ScreenPixels> frames;
    for (int i = 0; i < 8; ++i, Sleep(300)) {
        frames.push_back(test::CaptureScreen());
        ASSERT_EQ(frames.back().pixels.size(), static_cast<std::size_t>(width) * height);
    }
    EXPECT_TRUE(saver.Running()) << "the saver ended by itself";
    EXPECT_NE(frames.front().pixels, frames.back().pixels) << "the lines do not move";

    // The 320 x 320 picture, centred, neither cut nor shrunk by the scaling.
    for (auto [span, size] : {std::pair{StillSpan(frames, false), width}, std::pair{StillSpan(frames, true), height}}) {
        ASSERT_GE(span.first, 0) << "no still picture on the screen";
        EXPECT_GE(span.first, (size - 320) / 2);
        EXPECT_LT(span.last, (size + 320) / 2 + 1);
        EXPECT_GE(span.last - span.first, 320 * 3 / 4);
        EXPECT_NEAR((span.first + span.last) / 2.0, size / 2.0, 12.0);
    }
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(saver.WaitForExit(10000));
}

}  // namespace
}  // namespace spindle
