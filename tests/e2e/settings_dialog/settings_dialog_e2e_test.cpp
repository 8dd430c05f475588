// The settings dialog as a user meets it: started with /c, driven with real mouse and keyboard
// input, read back from the screen and from the settings file beside the saver.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "startup/settings_keys.h"
#include "support/launched_process_win.h"

namespace spindle {
namespace {

using test::LaunchedProcess;
using test::SaverFolder;
using test::SaverPath;
using test::WaitUntil;

constexpr DWORD kStartTimeout = 20000;
constexpr DWORD kExitTimeout = 15000;

// Positions inside Pic_1's interior, in pixels at 96 DPI (the dialog's twips divided by 15).
constexpr POINT kMarkTopLeft[3] = {{36, 56}, {36, 36}, {36, 76}};
constexpr POINT kCdCaption{60, 42};
constexpr RECT kSpeedLabel{320, 52, 387, 65};
constexpr RECT kFileLabelText{162, 70, 415, 99};
constexpr POINT kRepeatBoxText{128, 42};
// Pixels a label may differ from the reference rendering of its text.
constexpr int kInkTolerance = 2;

std::wstring SettingsFile() { return SaverFolder() + L"\\Spindlewave.ini"; }

std::optional<std::string> ReadBytes(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string Line(const SettingsKey& key, const std::string& value) {
    return std::string(key.shiftJis) + "=" + value + "\r\n";
}

// The whole file as the dialog leaves a fresh one: the section, then the four keys in order.
std::string SavedFile(const std::string& speed, const std::string& kind, const std::string& repeat,
                      const std::string& file) {
    return "[Section]\r\n" + Line(kSpeedKey, speed) + Line(kBgmKindKey, kind) + Line(kBgmRepeatKey, repeat) +
           Line(kBgmFileKey, file);
}

std::string WindowsToAnsi(const std::wstring& text) {
    int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(size > 0 ? size - 1 : 0, '\0');
    if (size > 1) WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, bytes.data(), size, nullptr, nullptr);
    return bytes;
}

// Real input, as the user gives it.
void MoveMouse(POINT screen) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = screen.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = screen.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof(INPUT));
}

void ClickAt(POINT screen) {
    MoveMouse(screen);
    Sleep(150);
    INPUT input[2]{};
    input[0].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1] = input[0];
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &input[0], sizeof(INPUT));
    Sleep(80);
    SendInput(1, &input[1], sizeof(INPUT));
    Sleep(400);
}

void TypeText(const std::wstring& text) {
    for (wchar_t c : text) {
        INPUT input[2]{};
        input[0].type = INPUT_KEYBOARD;
        input[0].ki.wScan = c;
        input[0].ki.dwFlags = KEYEVENTF_UNICODE;
        input[1] = input[0];
        input[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
        SendInput(2, input, sizeof(INPUT));
        Sleep(30);
    }
}

void PressKey(WORD key) {
    INPUT input[2]{};
    input[0].type = INPUT_KEYBOARD;
    input[0].ki.wVk = key;
    input[1] = input[0];
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
    Sleep(300);
}

POINT ClientToScreenPoint(HWND window, POINT client) {
    ClientToScreen(window, &client);
    return client;
}

POINT CentreOf(HWND window) {
    RECT frame{};
    GetWindowRect(window, &frame);
    return POINT{(frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2};
}

// The screen's pixels in an area, 0x00RRGGBB, row by row.
std::vector<std::uint32_t> ScreenPixels(const RECT& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    std::vector<std::uint32_t> pixels;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
        GdiFlush();
        const auto* p = static_cast<const std::uint32_t*>(bits);
        pixels.assign(p, p + width * height);
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// Near-black: the captions are black, and the shading behind them never gets that dark.
bool IsInk(std::uint32_t pixel) {
    const int sum = ((pixel >> 16) & 0xFF) + ((pixel >> 8) & 0xFF) + (pixel & 0xFF);
    return sum < 3 * 64;
}

// Dark text as the dialog draws it, rendered here in the same font into an area of this size.
std::vector<bool> RenderedInk(const std::wstring& text, int width, int height, UINT alignment) {
    std::vector<bool> ink(static_cast<std::size_t>(width * height), false);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HFONT font = CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                             L"\xFF2D\xFF33 \xFF30\x30B4\x30B7\x30C3\x30AF");
    if (bitmap && font) {
        HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
        HGDIOBJ oldFont = SelectObject(memory, font);
        RECT all{0, 0, width, height};
        FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SetBkMode(memory, TRANSPARENT);
        SetTextColor(memory, RGB(0, 0, 0));
        DrawTextW(memory, text.c_str(), static_cast<int>(text.size()), &all,
                  DT_NOPREFIX | DT_WORDBREAK | DT_EDITCONTROL | alignment);
        GdiFlush();
        const auto* p = static_cast<const std::uint32_t*>(bits);
        for (std::size_t i = 0; i < ink.size(); ++i) ink[i] = IsInk(p[i]);
        SelectObject(memory, oldFont);
        SelectObject(memory, oldBitmap);
    }
    if (font) DeleteObject(font);
    if (bitmap) DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ink;
}

// How many pixels of a screen area differ, as ink or no ink, from the text rendered here. The
// same font through the same GDI gives the same glyphs, so a label showing the text gives 0.
int InkMismatch(const RECT& screenArea, const std::wstring& text, UINT alignment) {
    const int width = screenArea.right - screenArea.left;
    const int height = screenArea.bottom - screenArea.top;
    const std::vector<std::uint32_t> shown = ScreenPixels(screenArea);
    const std::vector<bool> expected = RenderedInk(text, width, height, alignment);
    if (shown.size() != expected.size()) return width * height;
    int mismatch = 0;
    for (std::size_t i = 0; i < shown.size(); ++i) mismatch += IsInk(shown[i]) != expected[i];
    return mismatch;
}

// The registry value that lets Wine draw the caption bar and close box itself when no window
// manager runs on the test display; the old value is put back after the suite.
class WineDecorations {
public:
    void Enable() {
        if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\X11 Driver", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &key_, nullptr) != ERROR_SUCCESS) {
            key_ = nullptr;
            return;
        }
        wchar_t old[16] = {};
        DWORD size = sizeof old;
        hadValue_ = RegQueryValueExW(key_, L"Decorated", nullptr, nullptr, reinterpret_cast<BYTE*>(old), &size) ==
                    ERROR_SUCCESS;
        if (hadValue_) oldValue_ = old;
        const wchar_t value[] = L"N";
        RegSetValueExW(key_, L"Decorated", 0, REG_SZ, reinterpret_cast<const BYTE*>(value), sizeof value);
    }
    void Restore() {
        if (!key_) return;
        if (hadValue_) {
            RegSetValueExW(key_, L"Decorated", 0, REG_SZ, reinterpret_cast<const BYTE*>(oldValue_.c_str()),
                           static_cast<DWORD>((oldValue_.size() + 1) * sizeof(wchar_t)));
        } else {
            RegDeleteValueW(key_, L"Decorated");
        }
        RegCloseKey(key_);
        key_ = nullptr;
    }

private:
    HKEY key_ = nullptr;
    bool hadValue_ = false;
    std::wstring oldValue_;
};

WineDecorations decorations;

class SettingsDialogE2E : public ::testing::Test {
protected:
    static void SetUpTestSuite() { decorations.Enable(); }
    static void TearDownTestSuite() { decorations.Restore(); }

    // The settings file of the user's own saver folder is kept aside and put back afterwards.
    void SetUp() override {
        saved_ = ReadBytes(SettingsFile());
        SetFileAttributesW(SettingsFile().c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(SettingsFile().c_str());
    }
    void TearDown() override {
        dialog_.reset();
        SetFileAttributesW(SettingsFile().c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(SettingsFile().c_str());
        if (saved_) WriteBytes(SettingsFile(), *saved_);
        for (const std::wstring& extra : extraFiles_) DeleteFileW(extra.c_str());
    }

    // Starts the saver with /c and waits until the dialog is on screen and painted.
    HWND OpenDialog() {
        dialog_ = std::make_unique<LaunchedProcess>(SaverPath(), L"/c");
        if (!dialog_->Started()) return nullptr;
        HWND window = dialog_->WaitForWindow(L"Spindlewave_Setting", kStartTimeout);
        if (!window) return nullptr;
        WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, kStartTimeout);
        picture_ = FindWindowExW(window, nullptr, L"SpindlewavePictureBox", nullptr);
        Sleep(1000);
        return window;
    }

    POINT InPicture(POINT client) const { return ClientToScreenPoint(picture_, client); }
    RECT InPicture(const RECT& client) const {
        POINT topLeft = InPicture(POINT{client.left, client.top});
        return RECT{topLeft.x, topLeft.y, topLeft.x + client.right - client.left,
                    topLeft.y + client.bottom - client.top};
    }

    bool MarkSelected(int index) const {
        const POINT centre = InPicture(POINT{kMarkTopLeft[index].x + 6, kMarkTopLeft[index].y + 6});
        const std::uint32_t pixel = ScreenPixels(RECT{centre.x, centre.y, centre.x + 1, centre.y + 1}).at(0);
        const int red = (pixel >> 16) & 0xFF, green = (pixel >> 8) & 0xFF, blue = pixel & 0xFF;
        return blue > 180 && red < 100 && green < 140;
    }

    std::vector<bool> Marks() const { return {MarkSelected(0), MarkSelected(1), MarkSelected(2)}; }

    void ClickButton(HWND dialog, int id) {
        HWND button = GetDlgItem(dialog, id);
        if (!button && picture_) button = GetDlgItem(picture_, id);
        ASSERT_NE(button, nullptr) << id;
        ClickAt(CentreOf(button));
    }

    bool ClosedAndEnded() { return dialog_->WaitForExit(kExitTimeout); }

    int SpeedBarPosition() const {
        HWND bar = FindWindowExW(picture_, nullptr, L"ScrollBar", nullptr);
        return bar ? static_cast<int>(SendMessageW(bar, SBM_GETPOS, 0, 0)) : -1;
    }

    std::unique_ptr<LaunchedProcess> dialog_;
    HWND picture_ = nullptr;
    std::optional<std::string> saved_;
    std::vector<std::wstring> extraFiles_;
};

enum Buttons { kSave = 101, kCancel = 102, kChooseFile = 103 };

TEST_F(SettingsDialogE2E, OpensCentredAtAThirdOfTheFreeHeightAndRefusesASecondStart) {
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_NE(picture_, nullptr);
    RECT client{};
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, 465);
    EXPECT_EQ(client.bottom, 193);

    RECT frame{};
    GetWindowRect(dialog, &frame);
    const int freeWidth = GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left);
    const int freeHeight = GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top);
    EXPECT_NEAR(frame.left, freeWidth / 2, 1);
    EXPECT_NEAR(frame.top, freeHeight / 3, 1);

    LaunchedProcess second(SaverPath(), L"/c");
    ASSERT_TRUE(second.Started());
    EXPECT_TRUE(second.WaitForExit(kExitTimeout));
    EXPECT_EQ(second.WaitForWindow(L"Spindlewave_Setting", 0), nullptr);
    EXPECT_TRUE(dialog_->Running());
    EXPECT_EQ(ReadBytes(SettingsFile()), std::nullopt);
}

TEST_F(SettingsDialogE2E, SaveWritesAllFourKeysInOrder) {
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Marks(), (std::vector<bool>{true, false, false}));  // no file: no music

    // The mark and the caption of a row choose alike, and only that row shows the choice.
    ClickAt(InPicture(POINT{kMarkTopLeft[1].x + 6, kMarkTopLeft[1].y + 6}));
    EXPECT_EQ(Marks(), (std::vector<bool>{false, true, false}));
    ClickAt(InPicture(POINT{kMarkTopLeft[0].x + 6, kMarkTopLeft[0].y + 6}));
    EXPECT_EQ(Marks(), (std::vector<bool>{true, false, false}));
    ClickAt(InPicture(kCdCaption));
    EXPECT_EQ(Marks(), (std::vector<bool>{false, true, false}));
    ClickAt(InPicture(kRepeatBoxText));
    TypeText(L"12");
    ClickButton(dialog, kSave);

    ASSERT_TRUE(ClosedAndEnded());
    EXPECT_EQ(ReadBytes(SettingsFile()), SavedFile(" 1", " 1", " 12", ""));
}

TEST_F(SettingsDialogE2E, CancelAndTheCloseBoxWriteNothingAfterChoices) {
    const std::string before = SavedFile(" 7", " 0", " 3", "");
    for (bool closeBox : {false, true}) {
        WriteBytes(SettingsFile(), before);
        HWND dialog = OpenDialog();
        ASSERT_NE(dialog, nullptr);
        ClickAt(InPicture(POINT{kMarkTopLeft[2].x + 6, kMarkTopLeft[2].y + 6}));
        EXPECT_EQ(Marks(), (std::vector<bool>{false, false, true}));
        ClickAt(InPicture(kRepeatBoxText));
        TypeText(L"9");
        if (closeBox) {
            RECT frame{};
            GetWindowRect(dialog, &frame);
            std::optional<POINT> closePoint;
            for (int y = frame.top + 2; y < frame.top + 40 && !closePoint; ++y) {
                for (int x = frame.right - 2; x > frame.right - 80 && !closePoint; --x) {
                    if (SendMessageW(dialog, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) closePoint = POINT{x, y};
                }
            }
            ASSERT_TRUE(closePoint.has_value()) << "no close box";
            ClickAt(*closePoint);
        } else {
            ClickButton(dialog, kCancel);
        }
        ASSERT_TRUE(ClosedAndEnded()) << closeBox;
        EXPECT_EQ(ReadBytes(SettingsFile()), before) << closeBox;
    }
}

TEST_F(SettingsDialogE2E, ScrollBarArrowsMoveByOneAndTheLabelFollows) {
    WriteBytes(SettingsFile(), SavedFile(" 25", " 0", " 0", ""));
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(SpeedBarPosition(), 25);
    const RECT label = InPicture(kSpeedLabel);
    EXPECT_LE(InkMismatch(label, L"25", DT_CENTER), kInkTolerance);
    EXPECT_GT(InkMismatch(label, L"26", DT_CENTER), kInkTolerance);

    HWND bar = FindWindowExW(picture_, nullptr, L"ScrollBar", nullptr);
    ASSERT_NE(bar, nullptr);
    RECT barFrame{};
    GetWindowRect(bar, &barFrame);
    const int middle = (barFrame.top + barFrame.bottom) / 2;
    ClickAt(POINT{barFrame.right - 5, middle});
    EXPECT_EQ(SpeedBarPosition(), 26);
    EXPECT_LE(InkMismatch(label, L"26", DT_CENTER), kInkTolerance);

    ClickAt(POINT{barFrame.left + 5, middle});
    ClickAt(POINT{barFrame.left + 5, middle});
    EXPECT_EQ(SpeedBarPosition(), 24);
    EXPECT_LE(InkMismatch(label, L"24", DT_CENTER), kInkTolerance);

    ClickButton(dialog, kSave);
    ASSERT_TRUE(ClosedAndEnded());
    EXPECT_EQ(ReadBytes(SettingsFile()), SavedFile(" 24", " 0", " 0", ""));
}

TEST_F(SettingsDialogE2E, SpeedBeyondTheBarShowsTheStoredNumberAndSavesOne) {
    WriteBytes(SettingsFile(), SavedFile(" 75", " 1", " 4", ""));
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(SpeedBarPosition(), 1);
    const RECT label = InPicture(kSpeedLabel);
    EXPECT_LE(InkMismatch(label, L"75", DT_CENTER), kInkTolerance);
    EXPECT_EQ(Marks(), (std::vector<bool>{false, true, false}));

    ClickButton(dialog, kSave);
    ASSERT_TRUE(ClosedAndEnded());
    EXPECT_EQ(ReadBytes(SettingsFile()), SavedFile(" 1", " 1", " 4", ""));
}

TEST_F(SettingsDialogE2E, FileChosenInTheOpenFileDialogIsShownAndSaved) {
    const std::wstring music = SaverFolder() + L"\\dialog-e2e-tune.mp3";
    WriteBytes(music, std::string(64, '\0'));
    extraFiles_.push_back(music);
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    const RECT fileLabel = InPicture(kFileLabelText);
    EXPECT_GT(InkMismatch(fileLabel, music, DT_LEFT), kInkTolerance);

    ClickButton(dialog, kChooseFile);
    HWND chooser = dialog_->WaitForWindow(L"\xFF8C\xFF67\xFF72\xFF99\x3092\x9078\x629E", kStartTimeout);  // ﾌｧｲﾙを選択
    ASSERT_NE(chooser, nullptr);
    Sleep(1500);
    TypeText(music);
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(chooser); }, kStartTimeout));
    Sleep(500);

    EXPECT_LE(InkMismatch(fileLabel, music, DT_LEFT), kInkTolerance);

    ClickButton(dialog, kSave);
    ASSERT_TRUE(ClosedAndEnded());
    EXPECT_EQ(ReadBytes(SettingsFile()), SavedFile(" 1", " 0", " 0", WindowsToAnsi(music)));
}

TEST_F(SettingsDialogE2E, OddStoredValuesOpenAndSaveSafely) {
    // A kind no row stands for, a negative track, a long path to a file that is not there.
    const std::string longPath = "C:\\" + std::string(242, 'm') + ".mp3";
    ASSERT_EQ(longPath.size(), 249u);
    WriteBytes(SettingsFile(), SavedFile(" 5", " 7", "-5", longPath));
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Marks(), (std::vector<bool>{false, false, false}));
    ClickButton(dialog, kSave);
    ASSERT_TRUE(ClosedAndEnded());
    // The missing file was forgotten at start-up; everything else goes back as it was read.
    EXPECT_EQ(ReadBytes(SettingsFile()), SavedFile(" 5", " 7", "-5", ""));
}

TEST_F(SettingsDialogE2E, ReadOnlySettingsFileStaysIntactAndTheDialogStillCloses) {
    const std::string before = SavedFile(" 9", " 1", " 2", "");
    WriteBytes(SettingsFile(), before);
    SetFileAttributesW(SettingsFile().c_str(), FILE_ATTRIBUTE_READONLY);
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    ClickAt(InPicture(kCdCaption));
    ClickButton(dialog, kSave);
    ASSERT_TRUE(ClosedAndEnded());
    EXPECT_EQ(ReadBytes(SettingsFile()), before);
}

}  // namespace
}  // namespace spindle
