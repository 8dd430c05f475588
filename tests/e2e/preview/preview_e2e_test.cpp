// The preview planted into a host's box under Wine: the form covers the box, and the process ends
// when the box goes. (What the box shows: tests/win/preview; handles that name no window, other
// starts beside a preview and the unread settings file: the preview's and Main's tables.)
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "support/launched_process_win.h"

namespace spindle::test {
namespace {

std::wstring HandleText(HWND window) { return std::to_wstring(reinterpret_cast<LONG_PTR>(window)); }

// A host program with a preview box of the given size, and a preview planted into it.
struct HostedPreview {
    HostedPreview(int width, int height)
        : host(BesideThisProgram(L"preview_host.exe"),
               L"host " + std::to_wstring(width) + L" " + std::to_wstring(height) + L" 0 0") {
        WaitUntil(
            [&] {
                const HWND window = host.WaitForWindow(L"host", 0);
                return (box = window ? FindWindowExW(window, nullptr, L"SpindlePreviewBox", nullptr) : nullptr);
            },
            kStartTimeout);
        preview.emplace(SaverPath(), L"/p " + HandleText(box));
        WaitUntil([&] { return IsWindowVisible(form = FindWindowExW(box, nullptr, L"Spindlewave_R", nullptr)); },
                  kStartTimeout);
    }
    void DestroyBox() { PostMessageW(GetParent(box), WM_APP, 0, 0); }
    LaunchedProcess host;
    std::optional<LaunchedProcess> preview;
    HWND box = nullptr, form = nullptr;
};

TEST(Preview, FormCoversTheBoxAndEndsWithinASecondWhenTheBoxOrItsHostGoes) {
    for (auto [width, height, killHost] : {std::tuple{152, 112, false}, std::tuple{260, 170, true}}) {
        HostedPreview hosted(width, height);
        ASSERT_NE(hosted.form, nullptr) << width;
        RECT form{}, box{};
        GetWindowRect(hosted.form, &form);
        GetWindowRect(hosted.box, &box);
        EXPECT_TRUE(EqualRect(&form, &box)) << width;
        wchar_t caption[64] = {};
        GetWindowTextW(hosted.form, caption, 64);
        EXPECT_STREQ(caption, L"Preview Window");
        EXPECT_EQ(GetWindowLongW(hosted.form, GWL_STYLE) & (WS_CHILD | WS_CAPTION | WS_THICKFRAME), WS_CHILD);
        killHost ? hosted.host.Kill() : hosted.DestroyBox();
        EXPECT_TRUE(hosted.preview->WaitForExit(2000)) << killHost;  // a second, with a margin for Wine
        EXPECT_EQ(hosted.preview->ExitCode(), 0u) << killHost;
    }
}

}  // namespace
}  // namespace spindle::test
