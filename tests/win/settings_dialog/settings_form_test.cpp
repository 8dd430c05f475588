// The settings dialog's window in this process, its platform a recorder, driven by real mouse
// and keyboard input, and moved onto a monitor of another scale.
#include "settings_dialog/settings_form_win.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "runtime/event_loop_win.h"
#include "runtime/screen_win.h"
#include "support/real_input_win.h"
#include "support/screen_pixels_win.h"

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

void PumpFor(DWORD milliseconds) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < milliseconds; Sleep(10)) YieldToEvents();
}

POINT OnScreen(HWND window, POINT client) {
    ClientToScreen(window, &client);
    return client;
}

POINT CentreOf(HWND window) {
    RECT frame{};
    GetWindowRect(window, &frame);
    return POINT{(frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2};
}

class SettingsFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(form_->Create());
        form_->LoadAndShow();
        SetForegroundWindow(form_->Window());
        PumpFor(300);
        platform_.log.clear();
    }
    void Key(WORD key) { test::PressKey(key), PumpFor(150); }

    SettingsValues values_;
    RecordingPlatform platform_;
    std::unique_ptr<SettingsForm> form_ = std::make_unique<SettingsForm>(values_, platform_);
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
            test::MoveMouse(OnScreen(window, start)), PumpFor(50);
            test::MouseButton(down), PumpFor(50);
            test::MoveMouse(CentreOf(button)), PumpFor(150);
            test::MouseButton(up), PumpFor(100);
            EXPECT_EQ(std::tuple(platform_.log, values_.BgmKind, GetCapture(), form_->IsOpen()),
                      std::tuple(Calls{}, 0, HWND{}, true)) << start.x << " onto button " << GetDlgCtrlID(button);
        }
    }
    test::ClickAt(CentreOf(form_->FileButton().Window()), 150), PumpFor(150);  // one that began on it clicks it once
    EXPECT_EQ(std::pair(platform_.log, GetFocus()), std::pair(Calls{"choose"}, form_->FileButton().Window()));
    // A right double-click clicks twice (any button's release clicks) and leaves the face as it was.
    const POINT centre = CentreOf(form_->FileButton().Window());
    const auto face = [&] { return test::CaptureDc(nullptr, centre.x - 30, centre.y - 8, 60, 16).pixels; };
    const auto before = face();
    const INPUT down = test::MouseInput(MOUSEEVENTF_RIGHTDOWN), up = test::MouseInput(MOUSEEVENTF_RIGHTUP);
    test::Send(down, up, down, up), PumpFor(200);
    EXPECT_EQ(platform_.log, (Calls{"choose", "choose", "choose"}));
    EXPECT_TRUE(face() == before) << "the button is still drawn pressed";
}

// The second press of a double-click is no click: the link opens once, a music row is chosen once.
TEST_F(SettingsFormTest, ADoubleClickClicksOnceOnTheLinkAndOnAMusicRow) {
    const RECT none = form_->MusicCaptionBounds(0);
    const std::pair<HWND, POINT> places[] = {{form_->Window(), {30, 162}},  // the link
                                             {form_->PictureBoxWindow(), {none.left + 4, none.top + 4}}};
    for (auto [window, place] : places) {
        test::MoveMouse(OnScreen(window, place)), PumpFor(100);
        test::MouseButton(MOUSEEVENTF_LEFTDOWN), test::MouseButton(MOUSEEVENTF_LEFTUP), PumpFor(40);
        values_.BgmKind = 1;  // what a second Click on the row would undo
        test::MouseButton(MOUSEEVENTF_LEFTDOWN), test::MouseButton(MOUSEEVENTF_LEFTUP), PumpFor(300);
    }
    EXPECT_EQ(std::tuple(platform_.log, values_.BgmKind, form_->MarkSelected(0)),
              std::tuple(Calls{"open https://spindlewave.github.io/"}, std::int16_t{1}, true));
}

TEST_F(SettingsFormTest, TabGoesRoundInLayoutOrderArrowsPickMusicEnterSaves) {
    const HWND edit = GetWindow(form_->RepeatBox(), GW_CHILD);  // the repeat box's text field
    for (HWND expected : {form_->PictureBoxWindow(), edit, form_->FileButton().Window(), form_->SpeedBar(),
                          form_->SaveButton().Window(), form_->CancelButton().Window(), form_->PictureBoxWindow()}) {
        Key(VK_TAB);
        EXPECT_EQ(GetFocus(), expected) << GetDlgCtrlID(expected);
    }
    test::HoldKey(VK_SHIFT, true), Key(VK_TAB), test::HoldKey(VK_SHIFT, false);
    EXPECT_EQ(GetFocus(), form_->CancelButton().Window());
    EXPECT_EQ(form_->CancelButton().LookState(), 3);  // the button shows it has the focus
    Key(VK_TAB);  // round to the music rows
    for (auto [key, row] : {std::pair{VK_DOWN, 2}, {VK_DOWN, 1}, {VK_UP, 2}}) {  // from none, round both ways
        Key(key);
        EXPECT_TRUE(form_->MarkSelected(row) && values_.BgmKind == row) << row;
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

// The client area, then where the dialog's parts are in their parents' pixels; last the two whose
// height their font decides: the repeat box (closed) and the speed caption.
using Box = std::tuple<LONG, LONG, LONG, LONG>;

std::vector<Box> PlacementOf(SettingsForm& form) {
    auto box = [](const RECT& r) { return Box{r.left, r.top, r.right, r.bottom}; };
    RECT r{};
    GetClientRect(form.Window(), &r);
    std::vector<Box> placement{box(r)};
    for (HWND child : {form.PictureBoxWindow(), form.SaveButton().Window(), form.CancelButton().Window(),
                       form.FileButton().Window(), form.SpeedBar(), form.RepeatBox()}) {
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
        placement.push_back(box(r));
    }
    for (int row = 0; row < 3; ++row) placement.insert(placement.end() - 1, box(form.MarkBounds(row)));
    placement.push_back(box(form.SpeedLabel().Bounds()));
    return placement;
}

bool SelectedMarkAt(HWND picture, POINT client) {  // blue in the middle of the selected mark
    const POINT at = OnScreen(picture, client);
    const std::uint32_t pixel = test::CaptureDc(nullptr, at.x, at.y, 1, 1).pixels.at(0);
    return (pixel & 0xFF) > 180 && ((pixel >> 16) & 0xFF) < 100;
}

// Wine never puts a window on a monitor of another scale: the system's message is delivered here as
// Windows sends it, with the window rectangle it suggests.
TEST_F(SettingsFormTest, OnAMonitorOfTwiceTheScaleEverythingIsTwiceAsLargeAndBackAgainAsItWas) {
    if (form_->Dpi() != 96) GTEST_SKIP() << "made for a 96-DPI display, not " << form_->Dpi();
    const HWND window = form_->Window();
    const std::vector<Box> at96 = PlacementOf(*form_);
    ASSERT_EQ(at96[0], (Box{0, 0, 465, 193}));
    RECT frame{};
    GetWindowRect(window, &frame);
    const RECT mark = form_->MarkBounds(0);  // the selected row: none
    EXPECT_TRUE(SelectedMarkAt(form_->PictureBoxWindow(), {mark.left + 6, mark.top + 6}));

    RECT suggested{frame.left + 40, frame.top + 30, frame.left + 40 + 2 * (frame.right - frame.left),
                   frame.top + 30 + 2 * (frame.bottom - frame.top)};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested)), PumpFor(300);
    EXPECT_EQ(form_->Dpi(), 192);
    const std::vector<Box> at192 = PlacementOf(*form_);
    for (std::size_t i = 0; i < at96.size(); ++i) {  // the client area exactly twice as large, and every part
        const auto [left, top, right, bottom] = at96[i];
        const auto [left2, top2, right2, bottom2] = at192[i];
        EXPECT_EQ(std::tuple(left2, top2), std::tuple(2 * left, 2 * top)) << i;
        if (i + 2 < at96.size()) {
            EXPECT_EQ(std::tuple(right2, bottom2), std::tuple(2 * right, 2 * bottom)) << i;
        } else {  // at twice the font at least half as high again (the box's border is the system's)
            EXPECT_GE(2 * (bottom2 - top2), 3 * (bottom - top)) << i << ": its font did not grow";
        }
    }
    RECT moved{};
    GetWindowRect(window, &moved);
    EXPECT_EQ(std::pair(moved.left, moved.top), std::pair(suggested.left, suggested.top));
    // The mark picture grew with it: blue where only the 96-DPI mark's frame would reach.
    const RECT mark192 = form_->MarkBounds(0);
    EXPECT_TRUE(SelectedMarkAt(form_->PictureBoxWindow(), {mark192.left + 12, mark192.top + 12}));
    // It still answers the mouse at the new places.
    const RECT cd = form_->MusicCaptionBounds(1);
    test::ClickAt(OnScreen(form_->PictureBoxWindow(), {cd.left + 6, cd.top + 6}), 100), PumpFor(200);
    EXPECT_TRUE(form_->MarkSelected(1));

    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&frame)), PumpFor(300);
    EXPECT_EQ(PlacementOf(*form_), at96);
    EXPECT_TRUE(form_->MarkSelected(1));
}

}  // namespace
}  // namespace spindle
