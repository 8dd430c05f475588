// The preview planted into a host's box under Wine: the form covers the box, the process ends
// when the box goes, handles that name no window end it at once, previews do not block other
// starts, and the settings file plays no part. (What the box shows: tests/win/startup.)
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "support/launched_process_win.h"
#include "support/music_test_files_win.h"
#include "support/settings_file_fixture_win.h"

namespace spindle::test {
namespace {

std::wstring HandleText(HWND window) { return std::to_wstring(reinterpret_cast<LONG_PTR>(window)); }

// A host program with a preview box of the given size, and a preview planted into it.
struct HostedPreview {
    HostedPreview(int width, int height, int left = 0)
        : host(BesideThisProgram(L"preview_host.exe"), L"\"host " + std::to_wstring(left) + L"\" " +
                                                           std::to_wstring(width) + L" " + std::to_wstring(height) +
                                                           L" " + std::to_wstring(left) + L" 0") {
        WaitUntil(
            [&] {
                const HWND window = host.WaitForWindow(L"host " + std::to_wstring(left), 0);
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

TEST(Preview, TwoPreviewsRunSideBySideAndDoNotBlockASaver) {
    HostedPreview left(152, 112, 0), right(152, 112, 400);
    ASSERT_NE(left.form, nullptr);
    ASSERT_NE(right.form, nullptr);
    LaunchedProcess saver(SaverPath(), L"/s");
    EXPECT_NE(saver.WaitForWindow(L"Spindlewave_Main", kStartTimeout), nullptr);
    saver.Kill();
    SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING, FALSE, nullptr, 0);  // the killed saver's flag
    EXPECT_TRUE(left.preview->Running() && right.preview->Running());
    left.DestroyBox();
    right.DestroyBox();
    EXPECT_TRUE(left.preview->WaitForExit(2000));
    EXPECT_TRUE(right.preview->WaitForExit(2000));
}

TEST(Preview, HandlesThatNameNoWindowEndItAtOnce) {
    HWND closed = CreateWindowExW(0, L"STATIC", L"closed", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(closed, nullptr);
    DestroyWindow(closed);
    const std::wstring arguments[] = {L"/p 0", L"/p abc", L"/p " + HandleText(closed), L"/p 99999999999", L"/p -1",
                                      L"/p"};
    for (const std::wstring& argument : arguments) {
        LaunchedProcess preview(SaverPath(), argument);
        EXPECT_TRUE(preview.WaitForExit(5000)) << argument;
        EXPECT_EQ(preview.ExitCode(), 0u) << argument;
    }
}

TEST(Preview, TheSettingsFileIsNotRead) {
    SettingsFileFixture settings;
    settings.Write("50", "2", "0", AnsiText(SPINDLE_TEST_TONE L".wav"));  // a fast twist and a WAV file to play
    SoundCapture sound;
    HostedPreview hosted(152, 112);
    ASSERT_NE(hosted.form, nullptr);
    EXPECT_EQ(sound.LoudBytesDuring(1500), 0);  // the WAV named in the file never plays
    hosted.DestroyBox();
    EXPECT_TRUE(hosted.preview->WaitForExit(2000));
}

}  // namespace
}  // namespace spindle::test
