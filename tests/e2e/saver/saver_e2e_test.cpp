// The saver as a user meets it under Wine: full screen with the Earth in the centre and moving
// coloured lines; mouse moves do not end it, a key or a click does; the system's saver state is
// put back; a second copy is refused; odd speeds in the settings never crash it.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "resource_ids.h"
#include "runtime/picture_win.h"
#include "runtime/scoped_gdi_win.h"
#include "support/launched_process_win.h"

namespace spindle {
namespace {

using test::LaunchedProcess;
using test::SaverPath;
using test::WaitUntil;

constexpr DWORD kStartTimeout = 15000;

struct Screenshot {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top row first
    std::uint32_t At(int x, int y) const { return pixels[y * width + x] & 0xFFFFFF; }
};

Screenshot CaptureScreen() {
    Screenshot shot;
    shot.width = GetSystemMetrics(SM_CXSCREEN);
    shot.height = GetSystemMetrics(SM_CYSCREEN);
    ScopedWindowDC screen(nullptr);
    ScopedMemoryDC memory(screen.get());
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = shot.width;
    info.bmiHeader.biHeight = -shot.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    ScopedBitmap bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap) return shot;
    {
        ScopedSelectObject select(memory.get(), bitmap.get());
        BitBlt(memory.get(), 0, 0, shot.width, shot.height, screen.get(), 0, 0, SRCCOPY);
    }
    GdiFlush();
    const auto* p = static_cast<const std::uint32_t*>(bits);
    shot.pixels.assign(p, p + shot.width * shot.height);
    return shot;
}

void PressKey(WORD key) {
    INPUT input[2]{};
    input[0].type = INPUT_KEYBOARD;
    input[0].ki.wVk = key;
    input[1] = input[0];
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
}

void MoveMouse(int x, int y) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof(INPUT));
}

void ClickAt(int x, int y) {
    MoveMouse(x, y);
    INPUT input[2]{};
    input[0].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1] = input[0];
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
}

// The system's screen-saver-running flag, read by a fresh process beside this test.
bool SaverRunningFlag() {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring probe = self;
    probe = probe.substr(0, probe.find_last_of(L'\\') + 1) + L"saver_state_probe.exe";
    LaunchedProcess reader(probe, L"");
    EXPECT_TRUE(reader.WaitForExit(10000));
    EXPECT_NE(reader.ExitCode(), 2u);
    return reader.ExitCode() == 1;
}

// A started saver whose window is up and has drawn for a moment.
class RunningSaver {
public:
    explicit RunningSaver(const std::wstring& arguments, const std::wstring& program = SaverPath())
        : process(program, arguments) {
        if (!process.Started()) return;
        window = process.WaitForWindow(L"Spindlewave_Main", kStartTimeout);
        if (window) WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, kStartTimeout);
        Sleep(1500);  // some frames
        if (window) SetForegroundWindow(window);
    }
    LaunchedProcess process;
    HWND window = nullptr;
};

// The saver's picture, for comparing what is on the screen.
struct Earth {
    Earth() : picture(LoadPictureResource(IDR_EARTH_PICTURE)) {
        DIBSECTION section{};
        if (picture && GetObjectW(picture.bitmap.get(), sizeof section, &section) == sizeof section)
            bits = static_cast<const std::uint32_t*>(section.dsBm.bmBits);
    }
    std::uint32_t At(int x, int y) const { return bits[y * picture.width + x] & 0xFFFFFF; }
    DecodedPicture picture;
    const std::uint32_t* bits = nullptr;
};

bool SingleChannel(std::uint32_t c) {
    const int channels = ((c >> 16) != 0) + (((c >> 8) & 0xFF) != 0) + ((c & 0xFF) != 0);
    return channels <= 1;
}

class SaverE2e : public testing::Test {
protected:
    void SetUp() override {
        // A saver killed by an earlier failure leaves the flag set; start from a clean system.
        SystemParametersInfoW(SPI_SETSCREENSAVERRUNNING, FALSE, nullptr, 0);
        MoveMouse(5, 5);
    }
};

TEST_F(SaverE2e, CoversTheScreenWithTheEarthCentredAndMovingColouredLines) {
    RunningSaver saver(L"/s");
    ASSERT_NE(saver.window, nullptr);
    RECT rect{};
    GetWindowRect(saver.window, &rect);
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, width);
    EXPECT_EQ(rect.bottom, height);
    const LONG style = GetWindowLongW(saver.window, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU), 0);
    EXPECT_NE(GetWindowLongW(saver.window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);

    Earth earth;
    ASSERT_TRUE(earth.bits);
    const Screenshot first = CaptureScreen();
    Sleep(300);
    const Screenshot second = CaptureScreen();
    ASSERT_EQ(first.width, width);

    const int left = (width - 320) / 2, top = (height - 320) / 2;
    int earthPixels = 0, strayColours = 0, red = 0, green = 0, blue = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = first.At(x, y);
            if (x >= left && y >= top && x < left + 320 && y < top + 320) {
                earthPixels += c == earth.At(x - left, y - top) && c != 0;
                continue;
            }
            // Outside the picture: black, or a pure red, green or blue line.
            strayColours += !SingleChannel(c);
            red += (c >> 16) != 0 && SingleChannel(c);
            green += ((c >> 8) & 0xFF) != 0 && SingleChannel(c);
            blue += (c & 0xFF) != 0 && SingleChannel(c);
        }
    }
    EXPECT_GT(earthPixels, 320 * 320 / 4);  // the lines cover part of it
    EXPECT_EQ(strayColours, 0);
    EXPECT_GT(red, 1000);
    EXPECT_GT(green, 1000);
    EXPECT_GT(blue, 1000);
    EXPECT_NE(first.pixels, second.pixels);
}

TEST_F(SaverE2e, MouseMovesDoNotEndItAKeyDoesAndTheSystemStateIsPutBack) {
    RunningSaver saver(L"/s");
    ASSERT_NE(saver.window, nullptr);
    EXPECT_TRUE(SaverRunningFlag());
    for (int i = 0; i < 10; ++i) {
        MoveMouse(100 + 150 * i, 100 + 80 * i);
        Sleep(100);
    }
    EXPECT_FALSE(saver.process.WaitForExit(1500));
    PressKey(VK_SPACE);
    ASSERT_TRUE(saver.process.WaitForExit(5000));
    EXPECT_EQ(saver.process.ExitCode(), 0u);
    EXPECT_FALSE(SaverRunningFlag());
    EXPECT_EQ(FindWindowW(nullptr, L"Spindlewave_Main"), nullptr);
}

TEST_F(SaverE2e, AClickOnTheDisplayEndsIt) {
    RunningSaver saver(L"/s");
    ASSERT_NE(saver.window, nullptr);
    ClickAt(300, 200);
    ASSERT_TRUE(saver.process.WaitForExit(5000));
    EXPECT_FALSE(SaverRunningFlag());
}

TEST_F(SaverE2e, ArrowsEndItWithoutCdMusic) {
    RunningSaver saver(L"/s");
    ASSERT_NE(saver.window, nullptr);
    PressKey(VK_LEFT);
    EXPECT_TRUE(saver.process.WaitForExit(5000));
}

TEST_F(SaverE2e, ASecondStartWhileItRunsIsRefused) {
    RunningSaver saver(L"/s");
    ASSERT_NE(saver.window, nullptr);
    for (const wchar_t* arguments : {L"/s", L""}) {
        LaunchedProcess second(SaverPath(), arguments);
        ASSERT_TRUE(second.Started());
        EXPECT_TRUE(second.WaitForExit(10000)) << arguments;
        EXPECT_EQ(second.WaitForWindow(L"Spindlewave_Main", 0), nullptr);
    }
    EXPECT_TRUE(saver.process.Running());
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(saver.process.WaitForExit(5000));
}

TEST_F(SaverE2e, StartedByHandItLeavesTheSystemStateAlone) {
    // Wine's GetCursorInfo reports the cursor as showing whatever ShowCursor did, so what can be
    // seen of the skipped start steps is the flag that the system was not told about a saver.
    RunningSaver saver(L"");
    ASSERT_NE(saver.window, nullptr);
    EXPECT_FALSE(SaverRunningFlag());
    PressKey(VK_RETURN);
    ASSERT_TRUE(saver.process.WaitForExit(5000));
    EXPECT_FALSE(SaverRunningFlag());
}

// A copy of the saver in a folder of its own, with its own settings file.
class SaverCopy {
public:
    explicit SaverCopy(const std::string& rotationSpeed) {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"spindle_saver_e2e_" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(folder_.c_str(), nullptr);
        path_ = folder_ + L"\\Spindlewave.scr";
        CopyFileW(SaverPath().c_str(), path_.c_str(), FALSE);
        // The key is stored as Shift-JIS bytes: "回転の速さ".
        std::ofstream ini(std::filesystem::path(folder_ + L"\\Spindlewave.ini"), std::ios::binary);
        ini << "[Section]\r\n\x89\xf1\x93\x5d\x82\xcc\x91\xac\x82\xb3=" << rotationSpeed << "\r\n";
    }
    ~SaverCopy() {
        DeleteFileW((folder_ + L"\\Spindlewave.ini").c_str());
        DeleteFileW(path_.c_str());
        RemoveDirectoryW(folder_.c_str());
    }
    const std::wstring& Path() const { return path_; }

private:
    std::wstring folder_, path_;
};

TEST_F(SaverE2e, OddSpeedsNeverCrashIt) {
    struct Case {
        const char* speed;
        bool keepsMoving;
    };
    // 8200 overflows the phase after four frames: the last frame stays and keys still work.
    for (const Case& c : {Case{"0", true}, Case{"-5", true}, Case{"8200", false}, Case{"99999", false}}) {
        SaverCopy copy(c.speed);
        RunningSaver saver(L"/s", copy.Path());
        ASSERT_NE(saver.window, nullptr) << c.speed;
        EXPECT_TRUE(saver.process.Running()) << c.speed;
        const Screenshot first = CaptureScreen();
        Sleep(300);
        const Screenshot second = CaptureScreen();
        EXPECT_EQ(first.pixels != second.pixels, c.keepsMoving) << c.speed;
        const int centre = first.At(first.width / 2, first.height / 2);
        EXPECT_NE(centre, 0) << c.speed;
        PressKey(VK_SPACE);
        EXPECT_TRUE(saver.process.WaitForExit(5000)) << c.speed;
        EXPECT_EQ(saver.process.ExitCode(), 0u) << c.speed;
    }
}

struct DesktopSearch {
    HWND found = nullptr;
};

BOOL CALLBACK FindSaverOnDesktop(HWND window, LPARAM param) {
    wchar_t caption[64] = {};
    GetWindowTextW(window, caption, 64);
    if (std::wstring(caption) != L"Spindlewave_Main") return TRUE;
    reinterpret_cast<DesktopSearch*>(param)->found = window;
    return FALSE;
}

TEST_F(SaverE2e, AScreenSmallerThanThePictureIsCoveredWithoutACrash) {
    // Wine's explorer runs the saver on a virtual desktop of its own, 240 x 180 pixels.
    const std::wstring desktopName = L"spindle_small_" + std::to_wstring(GetCurrentProcessId());
    LaunchedProcess host(L"C:\\windows\\explorer.exe",
                         L"/desktop=" + desktopName + L",240x180 \"" + SaverPath() + L"\" /s");
    ASSERT_TRUE(host.Started());
    HDESK desktop = nullptr;
    DesktopSearch search;
    WaitUntil(
        [&] {
            if (!desktop) desktop = OpenDesktopW(desktopName.c_str(), 0, FALSE, GENERIC_ALL);
            if (desktop) EnumDesktopWindows(desktop, &FindSaverOnDesktop, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        kStartTimeout);
    ASSERT_NE(search.found, nullptr);
    DWORD saverId = 0;
    GetWindowThreadProcessId(search.found, &saverId);
    HANDLE saver = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, saverId);
    ASSERT_NE(saver, nullptr);
    Sleep(2000);  // frames on a screen smaller than the picture
    EXPECT_EQ(WaitForSingleObject(saver, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    RECT rect{};
    GetWindowRect(search.found, &rect);
    EXPECT_EQ(rect.right - rect.left, 240);
    EXPECT_EQ(rect.bottom - rect.top, 180);
    PostMessageW(search.found, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(WaitForSingleObject(saver, 5000), static_cast<DWORD>(WAIT_OBJECT_0));
    TerminateProcess(saver, 1);
    CloseHandle(saver);
    if (desktop) CloseDesktop(desktop);
}

}  // namespace
}  // namespace spindle
