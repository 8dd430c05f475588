// The settings dialog as a user meets it: started with /c, driven with real mouse and keyboard
// input, read back from the screen and from the settings file beside the saver or, in a folder
// nobody may write, the user's own copy.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "runtime/scoped_gdi_win.h"
#include "runtime/surface_win.h"
#include "support/launched_process_win.h"
#include "support/real_input_win.h"
#include "support/screen_pixels_win.h"
#include "support/settings_file_fixture_win.h"

namespace spindle {
namespace {

constexpr DWORD kStartTimeout = 20000, kExitTimeout = 15000;
// Places inside Pic_1's interior, in pixels (the dialog's twips divided by 15).
constexpr POINT kMarkCentre[3] = {{42, 62}, {42, 42}, {42, 82}};
constexpr POINT kCdCaption{60, 42};
constexpr RECT kSpeedLabel{320, 52, 387, 65};
constexpr RECT kFileLabelText{162, 70, 415, 99};
constexpr int kInkTolerance = 2;  // pixels a label may differ from the text rendered here
enum Buttons { kSave = 101, kCancel = 102, kChooseFile = 103 };

bool IsInk(std::uint32_t pixel) {  // the captions are black; the shading is never that dark
    return ((pixel >> 16) & 0xFF) + ((pixel >> 8) & 0xFF) + (pixel & 0xFF) < 3 * 64;
}

// How many pixels of an area of the picture box differ, as ink or not, from the text drawn here
// in the dialog's font: the same glyphs through the same GDI give 0.
int InkMismatch(HWND picture, const RECT& area, const std::wstring& text, UINT alignment = DT_CENTER) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    POINT at{area.left, area.top};
    ClientToScreen(picture, &at);
    const test::ScreenPixels shown = test::CaptureDc(nullptr, at.x, at.y, width, height);
    std::uint32_t* bits = nullptr;
    ScopedMemoryDC memory(nullptr);
    ScopedBitmap dib = CreateTopDownDib(nullptr, width, height, bits);
    ScopedFont font(CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"ＭＳ Ｐゴシック"));
    if (!dib || !font || shown.Empty()) return width * height;
    ScopedSelectObject selectDib(memory.get(), dib.get()), selectFont(memory.get(), font.get());
    RECT all{0, 0, width, height};
    FillRect(memory.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetBkMode(memory.get(), TRANSPARENT);
    DrawTextW(memory.get(), text.c_str(), static_cast<int>(text.size()), &all,
              DT_NOPREFIX | DT_WORDBREAK | DT_EDITCONTROL | alignment);
    GdiFlush();
    int mismatch = 0;
    for (std::size_t i = 0; i < shown.pixels.size(); ++i) mismatch += IsInk(shown.pixels[i]) != IsInk(bits[i]);
    return mismatch;
}

class SettingsDialogE2E : public ::testing::Test {
protected:
    // Wine draws the caption bar and close box itself when no window manager runs on the display.
    static void SetUpTestSuite() {
        RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Wine\\X11 Driver", L"Decorated", REG_SZ, L"N", 4);
    }
    static void TearDownTestSuite() {
        RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\Wine\\X11 Driver", L"Decorated");
    }

    // Starts the saver with /c and waits until the dialog is on screen and painted.
    HWND OpenDialog(const std::wstring& saver = test::SaverPath()) {
        dialog_ = std::make_unique<test::LaunchedProcess>(saver, L"/c");
        HWND window = dialog_->WaitForWindow(L"Spindlewave_Setting", kStartTimeout);
        if (!window) return nullptr;
        test::WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, kStartTimeout);
        picture_ = FindWindowExW(window, nullptr, L"SpindlewavePictureBox", nullptr);
        bar_ = FindWindowExW(picture_, nullptr, L"ScrollBar", nullptr);
        Sleep(1000);
        return window;
    }
    POINT InPicture(POINT client) const {
        ClientToScreen(picture_, &client);
        return client;
    }
    std::vector<bool> Marks() const {  // which rows show the blue selected mark
        std::vector<bool> marks;
        for (POINT centre : kMarkCentre) {
            const POINT at = InPicture(centre);
            const std::uint32_t pixel = test::CaptureDc(nullptr, at.x, at.y, 1, 1).pixels.at(0);
            marks.push_back((pixel & 0xFF) > 180 && ((pixel >> 16) & 0xFF) < 100 && ((pixel >> 8) & 0xFF) < 140);
        }
        return marks;
    }
    void ClickButton(HWND dialog, int id) {
        HWND button = GetDlgItem(dialog, id) ? GetDlgItem(dialog, id) : GetDlgItem(picture_, id);
        ASSERT_NE(button, nullptr) << id;
        RECT frame{};
        GetWindowRect(button, &frame);
        test::ClickAt(POINT{(frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2}, 300);
    }
    int BarPosition() const { return static_cast<int>(SendMessageW(bar_, SBM_GETPOS, 0, 0)); }

    test::SettingsFileFixture file_;
    std::unique_ptr<test::LaunchedProcess> dialog_;
    HWND picture_ = nullptr, bar_ = nullptr;
};

// (Cancelling and a read-only file: the dialog's and the settings file's own tables; the keys and
// the repeat box's text: the dialog's window test.)
TEST_F(SettingsDialogE2E, OpensCentredShowsOddSettingsAsItCanAndSavesOnlyWhatIsChosen) {
    // A speed beyond the bar, a kind no row stands for, a negative track, a 250-byte path to a
    // file that is not there (forgotten at start-up).
    file_.WriteBytes(test::SettingsFileBytes(" 75", " 7", "-5", "C:\\" + std::string(243, 'm') + ".mp3"));
    const std::wstring music = test::SaverFolder() + L"\\dialog-e2e-tune.mp3";
    test::WriteFileBytes(music, std::string(64, '\0'));
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    RECT client{}, frame{}, bar{};
    GetClientRect(dialog, &client);
    GetWindowRect(dialog, &frame);
    EXPECT_EQ(std::pair(client.right, client.bottom), std::pair(LONG{465}, LONG{193}));
    EXPECT_NEAR(frame.left, (GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2, 1);
    EXPECT_NEAR(frame.top, (GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top)) / 3, 1);
    test::LaunchedProcess second(test::SaverPath(), L"/c");
    EXPECT_TRUE(second.WaitForExit(kExitTimeout));  // false too when it never started
    EXPECT_TRUE(dialog_->Running());

    EXPECT_EQ(Marks(), (std::vector<bool>{false, false, false}));
    test::ClickAt(InPicture(kCdCaption), 300);
    EXPECT_EQ(Marks(), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(BarPosition(), 1);
    EXPECT_LE(InkMismatch(picture_, kSpeedLabel, L"75"), kInkTolerance);
    GetWindowRect(bar_, &bar);
    for (auto [x, value] : {std::pair{bar.right - 5, 2}, std::pair{bar.left + 5, 1}}) {
        test::ClickAt(POINT{x, (bar.top + bar.bottom) / 2}, 300);
        EXPECT_EQ(BarPosition(), value);
        EXPECT_LE(InkMismatch(picture_, kSpeedLabel, std::to_wstring(value)), kInkTolerance) << value;
    }
    ClickButton(dialog, kChooseFile);
    HWND chooser = dialog_->WaitForWindow(L"ﾌｧｲﾙを選択", kStartTimeout);
    ASSERT_NE(chooser, nullptr);
    Sleep(1500);
    test::TypeText(music);
    test::PressKey(VK_RETURN);
    EXPECT_TRUE(test::WaitUntil([&] { return !IsWindow(chooser); }, kStartTimeout));
    Sleep(500);
    EXPECT_LE(InkMismatch(picture_, kFileLabelText, music, DT_LEFT), kInkTolerance);
    test::ClickAt(InPicture(kMarkCentre[2]), 300);
    ClickButton(dialog, kSave);
    ASSERT_TRUE(dialog_->WaitForExit(kExitTimeout));
    const std::string saved = test::SettingsFileBytes(" 1", " 2", "-5", test::AnsiText(music));
    EXPECT_EQ(file_.Read(), saved);

    // The close box closes without saving a new choice.
    dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    test::ClickAt(InPicture(kCdCaption), 300);
    GetWindowRect(dialog, &frame);
    POINT close{frame.right - 2, frame.top + 2};  // scanned for the close box from the corner
    while (close.x > frame.right - 80 && SendMessageW(dialog, WM_NCHITTEST, 0, MAKELPARAM(close.x, close.y)) != HTCLOSE) {
        if (++close.y == frame.top + 40) close = POINT{close.x - 1, frame.top + 2};
    }
    test::ClickAt(close, 300);
    ASSERT_TRUE(dialog_->WaitForExit(kExitTimeout));
    EXPECT_EQ(file_.Read(), saved);
    DeleteFileW(music.c_str());
}

// The text of a message box: its static control's.
std::wstring MessageText(HWND box) {
    for (HWND child = FindWindowExW(box, nullptr, L"Static", nullptr); child;
         child = FindWindowExW(box, child, L"Static", nullptr)) {
        wchar_t text[512] = {};
        if (GetWindowTextW(child, text, 512) > 0) return text;
    }
    return {};
}

// Another program holds the settings file open without sharing writes or deletion: 「設定」 says
// the settings could not be saved because the file is in use, the dialog stays with the choice
// made, the file as it was; once the program lets go, 「設定」 saves and closes.
TEST_F(SettingsDialogE2E, AFileHeldByAnotherProgramIsToldAndSavedOnceItIsLetGo) {
    file_.Write(" 10", " 0", " 0", "");
    const std::optional<std::string> before = file_.Read();
    const std::wstring path = test::SaverFolder() + L"\\Spindlewave.ini";
    auto holder = std::make_unique<test::LaunchedProcess>(test::BesideThisProgram(L"file_holder.exe"),
                                                          L"\"" + path + L"\"");
    ASSERT_TRUE(test::WaitUntil(
        [&] {
            HANDLE probe = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                       OPEN_EXISTING, 0, nullptr);
            if (probe == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_SHARING_VIOLATION;
            CloseHandle(probe);
            return false;
        },
        kStartTimeout))
        << "the holder did not open the file";
    HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    test::ClickAt(InPicture(kCdCaption), 300);
    ClickButton(dialog, kSave);
    HWND box = dialog_->WaitForWindow(L"Spindlewave", kStartTimeout);
    ASSERT_NE(box, nullptr) << "no message";
    const std::wstring text = MessageText(box);
    EXPECT_EQ(text.rfind(L"設定を保存できませんでした。", 0), 0u);
    EXPECT_NE(text.find(L"使用中"), std::wstring::npos);
    EXPECT_EQ(file_.Read(), before);
    SetForegroundWindow(box);
    test::PressKey(VK_RETURN);
    ASSERT_TRUE(test::WaitUntil([&] { return !IsWindow(box); }, kStartTimeout));
    Sleep(300);
    EXPECT_TRUE(dialog_->Running() && IsWindowVisible(dialog));
    EXPECT_EQ(Marks(), (std::vector<bool>{false, true, false}));  // the choice is still there
    EXPECT_EQ(BarPosition(), 10);
    EXPECT_EQ(file_.Read(), before);
    const std::wstring temp = path + L".tmp";  // nothing half written left beside it
    EXPECT_EQ(GetFileAttributesW(temp.c_str()), INVALID_FILE_ATTRIBUTES);

    holder->Kill();
    holder.reset();
    test::MoveMouse(InPicture(kCdCaption));  // back to the button, as a user's hand goes
    Sleep(300);
    ClickButton(dialog, kSave);
    ASSERT_TRUE(dialog_->WaitForExit(kExitTimeout));
    EXPECT_EQ(file_.Read(), test::SettingsFileBytes(" 10", " 1", " 0", ""));
}

// A saver installed where nothing beside it can be written (the fixture's read-only mount), with an
// administrator's settings beside it: a user without a copy of their own starts from those; the
// dialog keeps the user's settings in their own copy, and start-up reads them from there.
TEST_F(SettingsDialogE2E, InAProtectedFolderTheSettingsAreKeptInTheUsersOwnCopyAndReadBackFromIt) {
    const std::wstring folder = SPINDLE_PROTECTED_FOLDER, saver = folder + L"\\Spindlewave.scr";
    if (GetFileAttributesW(saver.c_str()) == INVALID_FILE_ATTRIBUTES) {  // mounted read-only, or not there
        GTEST_SKIP() << "no read-only folder with the saver: mounting a read-only tmpfs is not allowed here";
    }
    const std::wstring machineFile = folder + L"\\Spindlewave.ini";
    const std::optional<std::string> machine = test::ReadFileBytes(machineFile);
    ASSERT_EQ(machine, test::SettingsFileBytes(" 23", " 0", " 0", ""));
    test::SettingsFileFixture own(test::UserSettingsFolder());  // the prefix's own copy, kept aside
    HWND dialog = OpenDialog(saver);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(BarPosition(), 23);
    ClickButton(dialog, kSave);
    ASSERT_TRUE(dialog_->WaitForExit(kExitTimeout));
    EXPECT_EQ(own.Read(), machine);
    EXPECT_EQ(test::ReadFileBytes(machineFile), machine);

    own.Write(" 37", " 1", " 5", "");
    dialog = OpenDialog(saver);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(BarPosition(), 37);
    ClickButton(dialog, kCancel);
    EXPECT_TRUE(dialog_->WaitForExit(kExitTimeout));
}

}  // namespace
}  // namespace spindle
