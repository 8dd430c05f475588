// The preview form planted into a box of this process (where Wine shows it): the picture at its
// own size from the top-left corner, black beyond it, cut when the box is smaller; destroying
// the box unloads the form.
#include "startup/preview_form_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "resource_ids.h"
#include "runtime/event_loop_win.h"
#include "runtime/picture_win.h"
#include "runtime/scoped_gdi_win.h"

namespace spindle {
namespace {

void Pump(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) continue;  // an unloaded preview's end of loop
            DispatchMessageW(&message);
        }
        Sleep(10);
    }
}

// The screen's pixels under a window, 0x00RRGGBB.
std::vector<std::uint32_t> PixelsUnder(HWND window, int& width, int& height) {
    RECT rect{};
    GetWindowRect(window, &rect);
    width = rect.right - rect.left;
    height = rect.bottom - rect.top;
    ScopedWindowDC screen(nullptr);
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF c = GetPixel(screen.get(), rect.left + x, rect.top + y);
            pixels.push_back((GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c));
        }
    return pixels;
}

// A magenta box in a window of this process, like the display-settings dialog's preview box.
class HostBox {
public:
    HostBox(int width, int height) {
        static ScopedBrush magenta(CreateSolidBrush(RGB(255, 0, 255)));
        WNDCLASSW boxClass{};
        boxClass.lpfnWndProc = &DefWindowProcW;
        boxClass.hInstance = GetModuleHandleW(nullptr);
        boxClass.hbrBackground = magenta.get();
        boxClass.lpszClassName = L"SpindleTestPreviewBox";
        RegisterClassW(&boxClass);
        host_ = CreateWindowExW(0, L"SpindleTestPreviewBox", L"host", WS_POPUP | WS_VISIBLE, 30, 30, width + 40,
                                height + 40, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        box_ = CreateWindowExW(0, L"SpindleTestPreviewBox", L"box", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 20, 20,
                               width, height, host_, nullptr, GetModuleHandleW(nullptr), nullptr);
        Pump(100);
    }
    ~HostBox() {
        if (host_) DestroyWindow(host_);
    }
    HWND Box() const { return box_; }
    std::int32_t Handle() const { return static_cast<std::int32_t>(reinterpret_cast<LONG_PTR>(box_)); }
    void DestroyBox() {
        DestroyWindow(box_);
        box_ = nullptr;
    }

private:
    HWND host_ = nullptr;
    HWND box_ = nullptr;
};

TEST(PreviewForm, ShowsThePictureAtItsOwnSizeFromTheTopLeft) {
    DecodedPicture picture = LoadPictureResource(IDR_PREVIEW_PICTURE);
    ASSERT_TRUE(picture);
    ASSERT_EQ(picture.width, 152);
    ASSERT_EQ(picture.height, 112);
    DIBSECTION section{};
    ASSERT_EQ(GetObjectW(picture.bitmap.get(), sizeof section, &section), static_cast<int>(sizeof section));
    const auto* expected = static_cast<const std::uint32_t*>(section.dsBm.bmBits);

    struct Case {
        int width, height;
    };
    for (const Case& c : {Case{152, 112}, Case{230, 150}, Case{100, 70}, Case{40, 130}}) {
        HostBox host(c.width, c.height);
        ASSERT_NE(host.Box(), nullptr);
        StartPreview(host.Handle());
        Pump(400);
        HWND form = FindWindowExW(host.Box(), nullptr, L"Spindlewave_R", nullptr);
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(LoadedFormCount(), 1);
        int width = 0, height = 0;
        const std::vector<std::uint32_t> shown = PixelsUnder(host.Box(), width, height);
        ASSERT_EQ(width, c.width);
        ASSERT_EQ(height, c.height);
        int wrong = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const bool inPicture = x < 152 && y < 112;
                const std::uint32_t want = inPicture ? expected[y * 152 + x] & 0xFFFFFF : 0;  // black beyond it
                wrong += shown[y * width + x] != want;
            }
        EXPECT_EQ(wrong, 0) << c.width << "x" << c.height;

        host.DestroyBox();  // the host closes its box: the form goes with it and unloads
        Pump(100);
        EXPECT_FALSE(IsWindow(form));
        EXPECT_EQ(LoadedFormCount(), 0);
    }
}

}  // namespace
}  // namespace spindle
