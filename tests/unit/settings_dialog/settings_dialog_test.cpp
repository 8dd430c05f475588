// The settings dialog: the load sequence, what the save writes and what a failed one tells, the
// keys, the shading, the speed bar's ends, the zoom, and its parts at each monitor's DPI.
#include "settings_dialog/settings_dialog.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "runtime/runtime_error.h"
#include "settings/settings_values.h"
#include "settings_dialog/dialog_layout.h"
#include "settings_dialog/scroll_bar_model.h"
#include "settings_dialog/zoom.h"

namespace spindle {
namespace {

using Calls = std::vector<std::string>;

// The dialog's controls, the platform and the zoomed window: all but the bar's value go to one log.
class Recorder : public SettingsDialogView, public SettingsDialogPlatform, public ZoomPort {
public:
    Calls log, failing, entries;  // failing: log entries starting with one of these throw
    ScrollBarModel bar{1, 50, 1, 1, 1};
    std::string repeatText;
    std::optional<ScreenPoint> cursor = ScreenPoint{100, 200};
    WriteOutcome outcome = WriteOutcome::Written;
    char separator = '.';
    std::optional<FocusStop> focus;
    bool listOpen = false;

    double DialogWidthTwips() override { return 7065; }
    double DialogHeightTwips() override { return 3375; }
    double ScreenWidthTwips() override { return 28800; }
    double ScreenHeightTwips() override { return 16200; }
    void MoveTo(std::int32_t left, std::int32_t top) override { Log("move:" + Pair(left, top)); }
    void InitButtons() override { Log("init:"); }
    void SetSpeedBarValue(int value) override { Log("bar:" + std::to_string(value)), bar.SetValue(value); }
    int SpeedBarValue() override { return bar.Value(); }
    void SetSpeedCaption(const std::string& text) override { Log("speed:" + text); }
    void ShowMark(int index, bool on) override { Log("mark:" + std::to_string(index) + (on ? " on" : " off")); }
    void SetRepeatText(const std::string& text) override { Log("repeat:" + (repeatText = text)); }
    std::string RepeatText() override { return repeatText; }
    void AddRepeatEntry(const std::string& text) override { entries.push_back(text); }
    void SetFileCaption(const std::string& text) override { Log("file:" + text); }
    std::string LinkCaption() override { return "https://spindlewave.github.io/"; }
    void Unload() override { Log("unload:"); }
    std::optional<FocusStop> FocusedStop() override { return focus; }
    bool FocusOn(FocusStop stop) override {  // 「設定」 cannot take the focus
        Log("focus:" + std::to_string(static_cast<int>(stop)));
        return stop != FocusStop::SaveButton && (focus = stop, true);
    }
    bool RepeatListOpen() override { return listOpen; }
    int InteriorHeight(ShadedSurface) override { return 0; }
    void DrawShadingLine(ShadedSurface, int, ShadeColour) override {}
    std::optional<ScreenPoint> CursorPosition() override { return cursor; }
    void ZoomWindowOpen() override { Log("zoom open:" + Pair(ZoomPointX, ZoomPointY)); }
    void ZoomWindowClose() override { Log("zoom close:" + Pair(ZoomPointX, ZoomPointY)); }
    void SetMousePointer(MousePointer pointer) override { Log("pointer:" + std::to_string(static_cast<int>(pointer))); }
    std::optional<std::string> ChooseFile() override { return Log("choose:"), std::nullopt; }
    void OpenInShell(const std::string& target) override { Log("open:" + target); }
    WriteOutcome WriteSettings(std::string_view section, const std::vector<ProfileEntry>& written) override {
        std::string call = "write:" + std::string(section);
        for (const ProfileEntry& entry : written) call += " " + entry.key + "=" + entry.value;
        Log(call);
        return outcome;
    }
    void ShowMessage(const std::string& text) override { Log("message:" + text); }
    char DecimalSeparator() override { return separator; }
    ScreenRect WindowRect() override { return ScreenRect{300, 200, 771, 426}; }
    void DrawAnimatedRects(int kind, const ScreenRect& a, const ScreenRect& b) override {
        Log("animate:" + std::to_string(kind) + " " + Rect(a) + " to " + Rect(b));
    }

private:
    static std::string Pair(int a, int b) { return std::to_string(a) + " " + std::to_string(b); }
    static std::string Rect(const ScreenRect& r) { return Pair(r.left, r.top) + " " + Pair(r.right, r.bottom); }
    void Log(const std::string& call) {
        log.push_back(call);
        for (const std::string& prefix : failing) {
            if (call.starts_with(prefix)) throw RuntimeError(RuntimeError::Kind::Platform, call);
        }
    }
};

class SettingsDialogTest : public ::testing::Test {
protected:
    SettingsValues values;
    Recorder rec;
    SettingsDialog dialog{values, rec, rec};
};

TEST_F(SettingsDialogTest, LoadFillsTheControlsInOrderAndSkipsFailingSteps) {
    const std::tuple<SettingsValues, std::optional<ScreenPoint>, Calls, Calls> cases[] = {
        {{10, 1, 0, "C:\\Music\\song.mp3"}, ScreenPoint{100, 200}, {},
         {"move:10867 4275", "init:", "bar:10", "speed:10", "mark:0 off", "mark:1 off", "mark:2 off", "mark:1 on",
          "repeat:", "file:C:\\Music\\song.mp3", "zoom open:100 200", "pointer:0"}},
        // A speed no bar takes, no cursor position, failing steps: only the first mark is tried in the
        // clearing step. (A speed beyond the bar, a kind no row stands for, a negative track: the
        // dialog's end-to-end test.)
        {{INFINITY, 2, 3, "x.wav"}, std::nullopt, {"move", "init", "mark", "repeat", "zoom"},
         {"move:10867 4275", "init:", "speed:INF", "mark:0 off", "mark:2 on", "repeat:3", "file:x.wav",
          "zoom open:0 0", "pointer:0"}}};
    Calls entries{""};  // the repeat list: blank, then 1 to 30
    for (int i = 1; i <= 30; ++i) entries.push_back(std::to_string(i));
    for (auto [stored, cursor, failing, expected] : cases) {
        Recorder r;
        r.cursor = cursor;
        r.failing = failing;
        SettingsDialog(stored, r, r).FormLoad();
        EXPECT_EQ(r.log, expected) << stored.RotationSpeed;
        EXPECT_EQ(r.entries, entries);
    }
}

TEST_F(SettingsDialogTest, SaveWritesTheFourKeysInOneWriteThenCloses) {
    values = SettingsValues{75, 7, 9, "C:\\" + std::string(246, 'a') + ".mp3"};
    dialog.FormLoad();  // the bar refuses 75 and stays at 1
    // Beyond 16 bits the value read at start-up stays.
    for (auto [typed, separator, saved] :
         {std::tuple{"", '.', " 0"}, {"2.5", '.', " 2"}, {"3.5", '.', " 4"}, {"12abc", '.', " 0"}, {"-3", '.', "-3"},
          {" 7 ", '.', " 7"}, {"1e2", '.', " 100"}, {"-32768", '.', "-32768"}, {"3,5", ',', " 4"}, {"3.5", ',', " 0"},
          {"-", '.', " 0"}, {"1e999", '.', " 0"}, {"32768", '.', " 9"}}) {
        values.BgmRepeat = 9;
        rec.repeatText = typed;
        rec.separator = separator;
        rec.log.clear();
        dialog.CmdSetClick();
        EXPECT_EQ(rec.log, (Calls{"write:Section 回転の速さ= 1 BGM区分= 7 BGMﾘﾋﾟｰﾄ=" + std::string(saved) +
                                      " BGMﾌｧｲﾙ=" + values.BgmFile,
                                  "unload:"}))
            << typed;
    }
}

// A save that wrote nothing says so and why; the dialog stays with every choice as it was, and
// 「設定」 saves once the cause is gone. (Where nothing beside the program takes writes, the
// settings go to the user's own copy: Written.)
TEST_F(SettingsDialogTest, ASaveThatWroteNothingIsToldAndTheDialogStaysAsItWas) {
    using W = WriteOutcome;
    const std::string write = "write:Section 回転の速さ= 30 BGM区分= 2 BGMﾘﾋﾟｰﾄ= 5 BGMﾌｧｲﾙ=C:\\a.mp3";
    const std::tuple<W, Calls, std::string> cases[] = {  // outcome, failing calls, a part of the message
        {W::InUse, {}, "ほかのﾌﾟﾛｸﾞﾗﾑで使用中です"}, {W::DiskFull, {}, "ﾃﾞｨｽｸがいっぱいです"},
        {W::Failed, {}, "書き込めませんでした"},       {W::Refused, {}, "書き込めませんでした"},
        {W::Written, {"write"}, "書き込めませんでした"},  // the write itself threw
        {W::InUse, {"message"}, "使用中"},               // the message box failed
    };
    for (const auto& [outcome, failing, reason] : cases) {
        values = SettingsValues{12, 2, 3, "C:\\a.mp3"};
        Recorder r;
        SettingsDialog d(values, r, r);
        d.FormLoad();
        r.bar.SetValue(30);
        r.repeatText = "5";
        r.log.clear();
        r.outcome = outcome, r.failing = failing;
        d.CmdSetClick();
        ASSERT_EQ(r.log.size(), 2u) << reason;
        EXPECT_EQ(r.log[0], write);
        EXPECT_TRUE(r.log[1].starts_with("message:設定を保存できませんでした。") && r.log[1].find(reason) != std::string::npos)
            << r.log[1];
        EXPECT_EQ(std::tuple(values.RotationSpeed, values.BgmKind, values.BgmFile, r.bar.Value(), r.repeatText),
                  std::tuple(12.0f, std::int16_t{2}, std::string("C:\\a.mp3"), 30, std::string("5")));
        r.log.clear();
        r.outcome = W::Written, r.failing.clear();
        d.CmdSetClick();
        EXPECT_EQ(r.log, (Calls{write, "unload:"}));
    }
}

TEST_F(SettingsDialogTest, KeysAreTheDialogsExceptWhereTheFocusedControlOwnsThem) {
    using F = FocusStop;
    // A key with no calls is left to the control. (Enter saving and the arrows: the dialog's window test.)
    struct Case { const char* name; std::optional<F> focus; int key, shift; bool listOpen; Calls log; };
    const Case cases[] = {
        {"Tab from no stop", std::nullopt, kKeyTab, 0, false, {"focus:0"}},
        {"Shift+Tab from no stop", std::nullopt, kKeyTab, kShiftMask, false, {"focus:5"}},
        {"Tab passes a stop that cannot take the focus", F::SpeedBar, kKeyTab, 0, false, {"focus:4", "focus:5"}},
        {"Shift+Tab goes back, passing it too", F::CancelButton, kKeyTab, kShiftMask, false, {"focus:4", "focus:3"}},
        {"Enter on the focused ｷｬﾝｾﾙ cancels", F::CancelButton, kKeyReturn, 0, false, {"unload:"}},
        {"Enter on the focused file button chooses a file", F::FileButton, kKeyReturn, 0, false, {"choose:"}},
        {"Esc closes, nothing written", F::RepeatBox, kKeyEscape, kShiftMask, false, {"unload:"}},
        {"Esc in the open list is the list's", F::RepeatBox, kKeyEscape, 0, true, {}},
        {"Enter in the open list is the list's", F::RepeatBox, kKeyReturn, 0, true, {}},
        {"arrows elsewhere are the control's", F::SpeedBar, kKeyRight, 0, false, {}},
        {"Ctrl+Tab is not the dialog's", F::RepeatBox, kKeyTab, kCtrlMask, false, {}},
        {"Alt+Enter is not the dialog's", F::RepeatBox, kKeyReturn, kAltMask, false, {}},
        {"a letter is not the dialog's", F::RepeatBox, 'A', 0, false, {}},
    };
    for (const Case& c : cases) {
        rec.log.clear();
        rec.focus = c.focus;
        rec.listOpen = c.listOpen;
        EXPECT_EQ(dialog.FormKeyDown(c.key, c.shift), !c.log.empty()) << c.name;
        EXPECT_EQ(rec.log, c.log) << c.name;
    }
    values.BgmKind = 7;  // no row: Down starts at the top
    rec.focus = F::MusicChoices;
    EXPECT_TRUE(dialog.FormKeyDown(kKeyDown, 0));
    EXPECT_EQ(values.BgmKind, 1);
    EXPECT_TRUE(dialog.FormKeyDown(kKeyLeft, 0));  // as Up: from the top row round to the bottom one
    EXPECT_EQ(values.BgmKind, 2);
}

TEST(DialogShading, TopMiddleAndLastRowOfBothSurfaces) {
    using S = ShadedSurface;
    const std::vector<ShadeColour> form = ShadingLines(S::Form, 193), box = ShadingLines(S::PictureBox, 113);
    ASSERT_EQ(std::pair(form.size(), box.size()), std::pair(std::size_t{194}, std::size_t{114}));
    EXPECT_EQ(std::tuple(form[0], form[96], form[193]),
              std::tuple(ShadeColour{0, 0, 30}, ShadeColour{220, 220, 250}, ShadeColour{0, 0, 30}));
    EXPECT_EQ(std::tuple(box[0], box[56], box[113]),
              std::tuple(ShadeColour{30, 30, 30}, ShadeColour{250, 250, 250}, ShadeColour{30, 30, 30}));
    EXPECT_TRUE(ShadingLines(S::PictureBox, -4).empty());
}

TEST(ScrollBarModel, RefusesValuesOutsideItsRangeAndStopsAtTheEnds) {
    using A = ScrollBarModel::Action;
    ScrollBarModel bar(1, 50, 1, 1, 7);
    for (int value : {0, 51}) EXPECT_THROW(bar.SetValue(value), RuntimeError) << value;
    EXPECT_TRUE(bar.Apply(A::ThumbTrack, 99).scrolling);  // dragged beyond the end
    EXPECT_EQ(bar.Value(), 50);
    EXPECT_FALSE(bar.Apply(A::LineRight).changed);
    bar.Apply(A::ThumbPosition, -4);
    EXPECT_EQ(bar.Value(), 1);
    bar.Apply(A::ToMaximum);  // End
    EXPECT_EQ(bar.Value(), 50);
}

TEST_F(SettingsDialogTest, ZoomGrowsFromTheLow16BitsOfThePointAndShrinksBackToIt) {
    SetZoomPoint(ScreenPoint{65636, -70000});
    ZoomWindowOpen(rec);
    ZoomWindowClose(rec);
    EXPECT_EQ(rec.log, (Calls{"animate:3 100 -4464 100 -4464 to 300 200 771 426",
                              "animate:3 300 200 771 426 to 100 -4464 100 -4464"}));
}

TEST(DialogLayout, ThePartsAtEachScale) {
    const std::tuple<int, PixelExtent, PlacedRect, PlacedRect, PlacedRect, int> cases[] = {
        // dpi, client, 「設定」, the speed bar, the no-music mark, the mark's size
        {96, {465, 193}, {284, 144, 365, 169}, {320, 32, 389, 49}, {36, 56, 49, 69}, 12},
        {120, {581, 241}, {355, 180, 456, 211}, {400, 40, 486, 61}, {45, 70, 61, 86}, 15},
        {144, {698, 290}, {426, 216, 548, 254}, {480, 48, 584, 74}, {54, 84, 74, 104}, 18},
        {192, {930, 386}, {568, 288, 730, 338}, {640, 64, 778, 98}, {72, 112, 98, 138}, 24},
    };
    for (const auto& [dpi, client, save, speedBar, noMusicMark, mark] : cases) {
        EXPECT_EQ(std::tuple(DialogClientAt(dpi), PlaceAt(kCmdSetDesign, dpi), PlaceAt(kSpeedBarDesign, dpi),
                             PlaceAt(kImgBgmDesign[0], dpi), MarkPixelsAt(dpi)),
                  std::tuple(client, save, speedBar, noMusicMark, mark))
            << dpi;
    }
    const PixelExtent at96 = DialogClientAt(96), at192 = DialogClientAt(192);
    EXPECT_EQ(at192, (PixelExtent{2 * at96.width, 2 * at96.height}));
}

// Dragged across monitors of 100 %, 150 %, 125 % and 200 % and back: at every stop each part lies
// inside the client area (Pic_1's own inside Pic_1's), and back at 100 % it is where it started.
TEST(DialogLayout, MovedBetweenMonitorsItNeverDrifts) {
    const DesignRect parts[] = {kPic1Design,   kCmdSetDesign,   kCmdCanDesign,   kCreditDesign,
                                kUrlDesign,    kBgmFrameDesign, kLblBgmDesign[2], kRepeatBoxDesign,
                                kCmdBgmDesign, kFileNameDesign, kSpeedBarDesign, kSpeedCaptionDesign};
    std::vector<PlacedRect> first;
    for (int dpi : {96, 144, 120, 192, 96, 144, 96}) {
        const PixelExtent client = DialogClientAt(dpi);
        for (std::size_t i = 0; i < std::size(parts); ++i) {
            const PlacedRect placed = PlaceAt(parts[i], dpi);
            EXPECT_TRUE(placed.left <= placed.right && placed.right <= client.width && placed.bottom <= client.height)
                << dpi << " " << i;
            if (first.size() < std::size(parts)) first.push_back(placed);
            if (dpi == 96) {
                EXPECT_EQ(placed, first[i]) << i;
            }
        }
    }
}

}  // namespace
}  // namespace spindle
