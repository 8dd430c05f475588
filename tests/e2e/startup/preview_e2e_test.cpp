// The preview planted into a host's box under Wine: the picture covers the box at its own size,
// the process ends when the box goes, handles that name no window end it at once, previews do
// not block other starts, and the settings file plays no part.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/launched_process_win.h"

namespace spindle {
namespace {

using test::LaunchedProcess;
using test::SaverPath;
using test::WaitUntil;

constexpr DWORD kStartTimeout = 15000;

std::wstring BesideThisTest(const wchar_t* name) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    return path.substr(0, path.find_last_of(L'\\') + 1) + name;
}

std::wstring HandleText(HWND window) {
    return std::to_wstring(static_cast<long long>(reinterpret_cast<LONG_PTR>(window)));
}

// A host program with a magenta preview box of the given size.
class PreviewHost {
public:
    PreviewHost(int width, int height, int left = 0, int top = 0)
        : caption_(L"preview host " + std::to_wstring(counter_++)),
          process_(BesideThisTest(L"preview_host.exe"), L"\"" + caption_ + L"\" " + std::to_wstring(width) + L" " +
                                                             std::to_wstring(height) + L" " + std::to_wstring(left) +
                                                             L" " + std::to_wstring(top)) {
        window_ = process_.WaitForWindow(caption_, kStartTimeout);
        WaitUntil(
            [&] {
                box_ = window_ ? FindWindowExW(window_, nullptr, L"SpindlePreviewBox", nullptr) : nullptr;
                return box_ && IsWindowVisible(box_);
            },
            kStartTimeout);
        Sleep(200);  // painted magenta
    }
    HWND Box() const { return box_; }
    void DestroyBox() { PostMessageW(window_, WM_APP, 0, 0); }
    LaunchedProcess& Process() { return process_; }

private:
    static inline int counter_ = 0;
    std::wstring caption_;
    LaunchedProcess process_;
    HWND window_ = nullptr;
    HWND box_ = nullptr;
};

// A preview process planted into a host's box, waited for until its form shows.
class Preview {
public:
    explicit Preview(HWND box, const std::wstring& program = SaverPath()) : process(program, L"/p " + HandleText(box)) {
        WaitUntil(
            [&] {
                form = FindWindowExW(box, nullptr, L"Spindlewave_R", nullptr);
                return form && IsWindowVisible(form);
            },
            kStartTimeout);
        Sleep(500);  // painted
    }
    LaunchedProcess process;
    HWND form = nullptr;
};

bool SameRect(HWND a, HWND b) {
    RECT ra{}, rb{};
    GetWindowRect(a, &ra);
    GetWindowRect(b, &rb);
    return EqualRect(&ra, &rb) != FALSE;
}

// What the box shows is checked in-process (tests/win/startup): Wine does not put a child window
// of another process on the screen. Here: the form is planted into the box and covers it.
TEST(Preview, FormIsPlantedIntoTheBoxAndCoversIt) {
    struct Case {
        int width, height;
    };
    for (const Case& c : {Case{152, 112}, Case{260, 170}, Case{100, 70}}) {
        PreviewHost host(c.width, c.height);
        ASSERT_NE(host.Box(), nullptr);
        Preview preview(host.Box());
        ASSERT_NE(preview.form, nullptr) << c.width << "x" << c.height;
        EXPECT_EQ(GetAncestor(preview.form, GA_PARENT), host.Box());
        EXPECT_TRUE(SameRect(preview.form, host.Box())) << c.width << "x" << c.height;
        wchar_t caption[64] = {};
        GetWindowTextW(preview.form, caption, 64);
        EXPECT_STREQ(caption, L"Preview Window");
        const LONG style = GetWindowLongW(preview.form, GWL_STYLE);
        EXPECT_NE(style & WS_CHILD, 0);
        EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME), 0);
    }
}

TEST(Preview, EndsWhenTheHostDestroysItsBoxOrGoesAway) {
    {
        PreviewHost host(152, 112);
        Preview preview(host.Box());
        ASSERT_NE(preview.form, nullptr);
        host.DestroyBox();
        EXPECT_TRUE(preview.process.WaitForExit(2000));
        EXPECT_EQ(preview.process.ExitCode(), 0u);
    }
    {
        PreviewHost host(152, 112);
        Preview preview(host.Box());
        ASSERT_NE(preview.form, nullptr);
        host.Process().Kill();
        EXPECT_TRUE(preview.process.WaitForExit(2000));
    }
}

TEST(Preview, TwoPreviewsRunSideBySideAndDoNotBlockASaver) {
    PreviewHost left(152, 112, 0, 0), right(152, 112, 400, 0);
    Preview first(left.Box()), second(right.Box());
    ASSERT_NE(first.form, nullptr);
    ASSERT_NE(second.form, nullptr);
    EXPECT_TRUE(first.process.Running());
    EXPECT_TRUE(second.process.Running());

    LaunchedProcess saver(SaverPath(), L"/s");
    const HWND saverWindow = saver.WaitForWindow(L"Spindlewave_Main", kStartTimeout);
    EXPECT_NE(saverWindow, nullptr);
    saver.Kill();

    left.DestroyBox();
    right.DestroyBox();
    EXPECT_TRUE(first.process.WaitForExit(2000));
    EXPECT_TRUE(second.process.WaitForExit(2000));
    SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING, FALSE, nullptr, 0);  // the killed saver's flag
}

TEST(Preview, HandlesThatNameNoWindowEndItAtOnce) {
    HWND closed = CreateWindowExW(0, L"STATIC", L"closed", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(closed, nullptr);
    const std::wstring closedHandle = HandleText(closed);
    DestroyWindow(closed);
    const std::vector<std::wstring> arguments = {L"/p 0",           L"/p abc", L"/p " + closedHandle,
                                                 L"/p 99999999999", L"/p -1",  L"/p"};
    for (const std::wstring& argument : arguments) {
        LaunchedProcess preview(SaverPath(), argument);
        ASSERT_TRUE(preview.Started());
        EXPECT_TRUE(preview.WaitForExit(5000)) << argument;
        EXPECT_EQ(preview.ExitCode(), 0u) << argument;
    }
}

// A copy of the saver with a settings file that would matter if it were read: a fast twist and a
// WAV file to play.
class SaverWithSettings {
public:
    SaverWithSettings() {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::filesystem::path(temp) / (L"spindle_preview_e2e_" + std::to_wstring(GetCurrentProcessId()));
        std::filesystem::create_directories(folder_);
        CopyFileW(SaverPath().c_str(), (folder_ / L"Spindlewave.scr").c_str(), FALSE);
        WriteWav(folder_ / L"loud.wav");
        std::ofstream ini(folder_ / L"Spindlewave.ini", std::ios::binary);
        // Keys as Shift-JIS: 回転の速さ, BGM区分, BGMﾌｧｲﾙ.
        ini << "[Section]\r\n\x89\xf1\x93\x5d\x82\xcc\x91\xac\x82\xb3=50\r\n"
            << "BGM\x8b\xe6\x95\xaa=2\r\nBGM\xcc\xa7\xb2\xd9=" << (folder_ / "loud.wav").string() << "\r\n";
    }
    ~SaverWithSettings() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    std::wstring Path() const { return (folder_ / L"Spindlewave.scr").wstring(); }

private:
    static void WriteWav(const std::filesystem::path& path) {
        const std::uint32_t rate = 8000, samples = rate * 3;
        std::ofstream wav(path, std::ios::binary);
        auto u32 = [&](std::uint32_t v) { wav.write(reinterpret_cast<const char*>(&v), 4); };
        auto u16 = [&](std::uint16_t v) { wav.write(reinterpret_cast<const char*>(&v), 2); };
        wav << "RIFF";
        u32(36 + samples);
        wav << "WAVEfmt ";
        u32(16);
        u16(1);
        u16(1);
        u32(rate);
        u32(rate);
        u16(1);
        u16(8);
        wav << "data";
        u32(samples);
        for (std::uint32_t i = 0; i < samples; ++i) wav.put(static_cast<char>((i / 10) % 2 ? 200 : 56));
    }
    std::filesystem::path folder_;
};

std::uintmax_t CapturedSoundBytes() {
    wchar_t path[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(L"SPINDLE_SOUND_CAPTURE", path, MAX_PATH)) return 0;
    // The variable holds a Unix path; Wine's Z: drive reaches it.
    std::error_code error;
    const auto size = std::filesystem::file_size(std::filesystem::path(L"Z:" + std::wstring(path)), error);
    return error ? 0 : size;
}

TEST(Preview, TheSettingsFileIsNotRead) {
    SaverWithSettings copy;
    PreviewHost host(152, 112);
    const std::uintmax_t soundBefore = CapturedSoundBytes();
    Preview preview(host.Box(), copy.Path());
    ASSERT_NE(preview.form, nullptr);
    Sleep(1500);
    EXPECT_EQ(CapturedSoundBytes(), soundBefore);  // the WAV named in the file never plays
    host.DestroyBox();
    EXPECT_TRUE(preview.process.WaitForExit(2000));
}

}  // namespace
}  // namespace spindle
