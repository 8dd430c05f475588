// The preview form planted into a box of this process (where Wine shows it): the picture at its
// own size from the top-left corner, black beyond it, cut when the box is smaller.
#include "preview/preview_form_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "resource_ids.h"
#include "runtime/event_loop_win.h"
#include "runtime/picture_win.h"
#include "support/screen_pixels_win.h"

namespace spindle {
namespace {

void Pump(DWORD milliseconds) {  // an unloaded preview posts WM_QUIT, meant for the saver's own loop
    MSG message;
    for (const DWORD start = GetTickCount(); GetTickCount() - start < milliseconds; Sleep(10))
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            if (message.message != WM_QUIT) DispatchMessageW(&message);
}

TEST(PreviewForm, ShowsThePictureAtItsOwnSizeFromTheTopLeftBlackBeyondAndCut) {
    const test::ScreenPixels picture = test::PixelsOfBitmap(LoadPictureResource(IDR_PREVIEW_PICTURE).bitmap.get());
    ASSERT_EQ(std::pair(picture.width, picture.height), std::pair(152, 112));
    static ScopedBrush magenta(CreateSolidBrush(RGB(255, 0, 255)));  // shows where the form fails to cover
    const WNDCLASSW boxClass{0, &DefWindowProcW, 0, 0, GetModuleHandleW(nullptr), nullptr, nullptr, magenta.get(),
                             nullptr, L"SpindleTestPreviewBox"};
    RegisterClassW(&boxClass);
    for (auto [width, height] : {std::pair{152, 112}, std::pair{230, 150}, std::pair{100, 70}, std::pair{40, 130}}) {
        HWND host = CreateWindowExW(0, L"SpindleTestPreviewBox", L"host", WS_POPUP | WS_VISIBLE, 30, 30, width + 40,
                                    height + 40, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        HWND box = CreateWindowExW(0, L"SpindleTestPreviewBox", L"box", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 20,
                                   20, width, height, host, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(box, nullptr);
        Pump(100);
        StartPreview(static_cast<std::int32_t>(reinterpret_cast<LONG_PTR>(box)));
        Pump(400);
        ASSERT_NE(FindWindowExW(box, nullptr, L"Spindlewave_R", L"Preview Window"), nullptr);
        EXPECT_EQ(LoadedFormCount(), 1);  // 1: the last box's form unloaded with its box
        const test::ScreenPixels shown = test::CaptureWindow(box);
        ASSERT_EQ(std::pair(shown.width, shown.height), std::pair(width, height));
        int wrong = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) wrong += shown.At(x, y) != (x < 152 && y < 112 ? picture.At(x, y) : 0);
        EXPECT_EQ(wrong, 0) << width << "x" << height;
        DestroyWindow(host);
        Pump(100);
    }
}

}  // namespace
}  // namespace spindle
