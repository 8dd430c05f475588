// The settings dialog's window in this process, its platform a recorder, driven by real mouse
// and keyboard input: presses that began elsewhere, double-clicks and the dialog's keys.
#include "settings_dialog/settings_form_win.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "runtime/event_loop_win.h"
#include "runtime/screen_win.h"
#include "support/real_input_win.h"

namespace spindle {
namespace {

using Calls = std::vector<std::string>;

struct RecordingPlatform : SettingsDialogPlatform {
    Calls log;
    double ScreenWidthTwips() override { return spindle::ScreenWidthTwips(); }
    double ScreenHeightTwips() override { return spindle::ScreenHeightTwips(); }
    std::optional<ScreenPoint> CursorPosition() override { return std::nullopt; }
    void ZoomWindowOpen() override {}
    void ZoomWindowClose() override { log.push_back("zoom close"); }
    void SetMousePointer(MousePointer) override {}
    std::optional<std::string> ChooseFile() override { return log.push_back("choose"), std::nullopt; }
    void OpenInShell(const std::string& target) override { log.push_back("open " + target); }
    WriteOutcome WriteSettings(std::string_view, const std::vector<ProfileEntry>& entries) override {
        for (const ProfileEntry& entry : entries) log.push_back("write " + entry.key + "=" + entry.value);
        return WriteOutcome::Written;
    }
    void ShowMessage(const std::string& text) override { log.push_back("message " + text); }
    char DecimalSeparator() override { return '.'; }
};

// Dispatches messages through the runtime's loop for about `milliseconds`.
void PumpFor(DWORD milliseconds) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < milliseconds; Sleep(10)) YieldToEvents();
}

class SettingsFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        form_ = std::make_unique<SettingsForm>(values_, platform_);
        ASSERT_TRUE(form_->Create());
        form_->LoadAndShow();
        SetForegroundWindow(form_->Window());
        PumpFor(300);
        platform_.log.clear();
    }
    POINT OnScreen(HWND window, POINT client) const {
        ClientToScreen(window, &client);
        return client;
    }
    POINT CentreOf(HWND window) const {
        RECT frame{};
        GetWindowRect(window, &frame);
        return POINT{(frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2};
    }
    void Key(WORD key) {
        test::PressKey(key);
        PumpFor(150);
    }

    SettingsValues values_;
    RecordingPlatform platform_;
    std::unique_ptr<SettingsForm> form_;
};

TEST_F(SettingsFormTest, AReleaseOverAButtonThatNoPressOnItBeganClicksNothing) {
    // From the form onto a button in Pic_1, and from a music row in Pic_1 onto one on the form.
    const RECT cd = form_->MusicCaptionBounds(1);
    const std::tuple<HWND, POINT, HWND> moves[] = {
        {form_->Window(), {200, 5}, form_->FileButton().Window()},
        {form_->PictureBoxWindow(), {cd.left + 4, cd.top + 4}, form_->SaveButton().Window()}};
    for (auto [window, start, button] : moves) {
        for (auto [down, up] : {std::pair{MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP},
                                std::pair{MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP}}) {
            test::MoveMouse(OnScreen(window, start));
            PumpFor(50);
            test::MouseButton(down);
            PumpFor(50);
            test::MoveMouse(CentreOf(button));
            PumpFor(150);
            test::MouseButton(up);
            PumpFor(100);
            ASSERT_TRUE(form_->IsOpen()) << start.x;
            EXPECT_EQ(std::tuple(platform_.log, values_.BgmKind, GetCapture()), std::tuple(Calls{}, 0, HWND{}))
                << start.x << " onto button " << GetDlgCtrlID(button);  // nor the music row the press began on
        }
    }
    // A press that began on the button clicks it once, and gives it the focus.
    test::ClickAt(CentreOf(form_->FileButton().Window()), 150);
    PumpFor(150);
    EXPECT_EQ(GetFocus(), form_->FileButton().Window());
    test::ClickAt(CentreOf(form_->CancelButton().Window()), 150);
    PumpFor(150);
    EXPECT_EQ(platform_.log, (Calls{"choose", "zoom close"}));
    EXPECT_FALSE(form_->IsOpen());
}

TEST_F(SettingsFormTest, ADoubleClickClicksOnceOnTheLinkAndOnAMusicRow) {
    const RECT none = form_->MusicCaptionBounds(0);
    const std::pair<HWND, POINT> places[] = {{form_->Window(), {30, 162}},  // the link
                                             {form_->PictureBoxWindow(), {none.left + 4, none.top + 4}}};
    for (auto [window, place] : places) {
        test::MoveMouse(OnScreen(window, place));
        PumpFor(100);
        test::MouseButton(MOUSEEVENTF_LEFTDOWN);
        test::MouseButton(MOUSEEVENTF_LEFTUP);
        PumpFor(40);
        values_.BgmKind = 1;  // what a second Click on the row would undo
        test::MouseButton(MOUSEEVENTF_LEFTDOWN);
        test::MouseButton(MOUSEEVENTF_LEFTUP);
        PumpFor(300);
    }
    EXPECT_EQ(platform_.log, Calls{"open https://spindlewave.github.io/"});
    EXPECT_EQ(values_.BgmKind, 1);
    EXPECT_TRUE(form_->MarkSelected(0));
}

TEST_F(SettingsFormTest, TabGoesRoundInLayoutOrderArrowsPickMusicEnterSaves) {
    HWND edit = GetWindow(form_->RepeatBox(), GW_CHILD);
    const HWND order[] = {form_->PictureBoxWindow(), edit, form_->FileButton().Window(), form_->SpeedBar(),
                          form_->SaveButton().Window(), form_->CancelButton().Window(), form_->PictureBoxWindow()};
    for (HWND expected : order) {
        Key(VK_TAB);
        EXPECT_EQ(GetFocus(), expected) << GetDlgCtrlID(expected);
    }
    test::HoldKey(VK_SHIFT, true);
    Key(VK_TAB);
    test::HoldKey(VK_SHIFT, false);
    EXPECT_EQ(GetFocus(), form_->CancelButton().Window());
    EXPECT_EQ(form_->CancelButton().LookState(), 3);  // the button shows it has the focus

    // A key the dialog takes goes no further; the others go on to the focused control.
    EXPECT_EQ(SendMessageW(form_->Window(), FormKeyPreviewMessage(), VK_TAB, 0), 1);
    EXPECT_EQ(SendMessageW(form_->Window(), FormKeyPreviewMessage(), 'A', 0), 0);
    for (auto [key, row] : {std::pair{VK_DOWN, 2}, {VK_DOWN, 1}, {VK_UP, 2}}) {  // from none, round both ways
        Key(key);
        EXPECT_TRUE(form_->MarkSelected(row)) << row;
        EXPECT_EQ(values_.BgmKind, row);
    }
    Key(VK_TAB);
    test::TypeText(L"7");
    Key(VK_F4);  // the list opens: Enter is its own
    Key(VK_RETURN);
    EXPECT_TRUE(form_->IsOpen());
    EXPECT_EQ(SendMessageW(form_->RepeatBox(), CB_GETDROPPEDSTATE, 0, 0), 0);
    EXPECT_EQ(platform_.log, Calls{});
    Key(VK_RETURN);
    EXPECT_FALSE(form_->IsOpen());
    EXPECT_EQ(platform_.log, (Calls{"write 回転の速さ= 1", "write BGM区分= 2", "write BGMﾘﾋﾟｰﾄ= 7", "write BGMﾌｧｲﾙ=",
                                    "zoom close"}));
}

}  // namespace
}  // namespace spindle
