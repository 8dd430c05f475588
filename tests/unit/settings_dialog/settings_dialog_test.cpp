// The settings dialog's routines against a recorded dialog and platform: the load sequence,
// the music choice, the file chooser, the link, and what the save writes, in order.
#include "settings_dialog/settings_dialog.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "runtime/runtime_error.h"
#include "settings_dialog/scroll_bar_model.h"
#include "startup/process_values.h"

namespace spindle {
namespace {

using Calls = std::vector<std::string>;

// The dialog's controls: the bar keeps its own rules, every other call is recorded.
class RecordingView : public SettingsDialogView {
public:
    Calls calls;
    ScrollBarModel bar{1, 50, 1, 1, 1};
    std::string repeatText;
    std::set<std::string> failing;  // calls that throw, by name

    double DialogWidthTwips() override { return 7065; }
    double DialogHeightTwips() override { return 3375; }
    void MoveTo(std::int32_t left, std::int32_t top) override {
        Record("move " + std::to_string(left) + " " + std::to_string(top));
    }
    void InitButtons() override { Record("init buttons"); }
    void SetSpeedBarValue(int value) override {
        Record("bar " + std::to_string(value));
        bar.SetValue(value);
    }
    int SpeedBarValue() override { return bar.Value(); }
    void SetSpeedCaption(const std::string& text) override { Record("speed '" + text + "'"); }
    void ShowMark(int index, bool selected) override {
        Record("mark " + std::to_string(index) + (selected ? " on" : " off"));
    }
    void SetRepeatText(const std::string& text) override {
        Record("repeat '" + text + "'");
        repeatText = text;
    }
    std::string RepeatText() override { return repeatText; }
    void AddRepeatEntry(const std::string& text) override { Record("entry '" + text + "'"); }
    void SetFileCaption(const std::string& text) override { Record("file '" + text + "'"); }
    std::string LinkCaption() override { return "https://github.com/spindlewave/spindlewave"; }
    void Unload() override { Record("unload"); }
    int InteriorHeight(ShadedSurface surface) override {
        return surface == ShadedSurface::Form ? formHeight : pictureHeight;
    }
    void DrawShadingLine(ShadedSurface surface, int y, ShadeColour colour) override {
        shading.push_back({surface, y, colour});
    }

    struct ShadingLine {
        ShadedSurface surface;
        int y;
        ShadeColour colour;
    };
    std::vector<ShadingLine> shading;
    int formHeight = 193;
    int pictureHeight = 113;

private:
    void Record(const std::string& call) {
        calls.push_back(call);
        const std::string name = call.substr(0, call.find(' '));
        if (failing.count(name)) throw RuntimeError(RuntimeError::Kind::Platform, name);
    }
};

class RecordingPlatform : public SettingsDialogPlatform {
public:
    Calls calls;
    std::optional<ScreenPoint> cursor = ScreenPoint{100, 200};
    std::optional<std::string> chosenFile;
    std::set<std::string> failingKeys;
    bool shellFails = false;
    char decimalSeparator = '.';

    double ScreenWidthTwips() override { return 28800; }
    double ScreenHeightTwips() override { return 16200; }
    std::optional<ScreenPoint> CursorPosition() override { return cursor; }
    void ZoomWindowOpen() override {
        calls.push_back("zoom open " + std::to_string(ZoomPointX) + " " + std::to_string(ZoomPointY));
    }
    void ZoomWindowClose() override {
        calls.push_back("zoom close " + std::to_string(ZoomPointX) + " " + std::to_string(ZoomPointY));
    }
    void SetMousePointer(MousePointer pointer) override {
        calls.push_back("pointer " + std::to_string(static_cast<int>(pointer)));
    }
    std::optional<std::string> ChooseFile() override {
        calls.push_back("choose file");
        return chosenFile;
    }
    void OpenInShell(const std::string& target) override {
        calls.push_back("open " + target);
        if (shellFails) throw RuntimeError(RuntimeError::Kind::Platform, "shell");
    }
    void WriteIniString(std::string_view section, std::string_view key, std::string_view value) override {
        calls.push_back("write [" + std::string(section) + "] " + std::string(key) + "='" + std::string(value) + "'");
        if (failingKeys.count(std::string(key))) throw RuntimeError(RuntimeError::Kind::Platform, "write");
    }
    char DecimalSeparator() override { return decimalSeparator; }
};

class SettingsDialogTest : public ::testing::Test {
protected:
    SettingsValues values;
    RecordingView view;
    RecordingPlatform platform;
    SettingsDialog dialog{values, view, platform};

    Calls Writes() const {
        Calls writes;
        for (const std::string& call : platform.calls) {
            if (call.rfind("write", 0) == 0) writes.push_back(call);
        }
        return writes;
    }
    Calls LoadStepsOnly(Calls calls) const {
        std::erase_if(calls, [](const std::string& call) { return call.rfind("entry", 0) == 0; });
        return calls;
    }
};

TEST_F(SettingsDialogTest, LoadFillsEveryControlInOrderThenZoomsFromTheCursor) {
    values = SettingsValues{10, 1, 0, "C:\\Music\\song.mp3"};
    dialog.FormLoad();
    EXPECT_EQ(LoadStepsOnly(view.calls),
              (Calls{"move 10867 4275", "init buttons", "bar 10", "speed '10'", "mark 0 off", "mark 1 off", "mark 2 off",
                     "mark 1 on", "repeat ''", "file 'C:\\Music\\song.mp3'"}));
    EXPECT_EQ(platform.calls, (Calls{"zoom open 100 200", "pointer 0"}));
    Calls entries;
    for (const std::string& call : view.calls) {
        if (call.rfind("entry", 0) == 0) entries.push_back(call);
    }
    ASSERT_EQ(entries.size(), 31u);
    EXPECT_EQ(entries.front(), "entry ''");
    EXPECT_EQ(entries[12], "entry '12'");
    EXPECT_EQ(entries.back(), "entry '30'");
}

TEST_F(SettingsDialogTest, StoredValuesTheControlsCannotTakeAreShownAsFarAsPossible) {
    // A kind no row stands for, a negative track, a speed beyond the bar, no cursor position.
    values = SettingsValues{75, 7, -5, ""};
    platform.cursor = std::nullopt;
    dialog.FormLoad();
    EXPECT_EQ(view.bar.Value(), 1);
    EXPECT_EQ(LoadStepsOnly(view.calls),
              (Calls{"move 10867 4275", "init buttons", "bar 75", "speed '75'", "mark 0 off", "mark 1 off", "mark 2 off",
                     "repeat '-5'", "file ''"}));
    EXPECT_EQ(platform.calls, (Calls{"zoom open 0 0", "pointer 0"}));
}

TEST_F(SettingsDialogTest, SpeedsTheBarRefusesLeaveItAtOne) {
    for (float speed : {0.0f, -3.0f, 51.0f, 40000.0f, std::numeric_limits<float>::infinity()}) {
        RecordingView fresh;
        SettingsValues stored{speed, 0, 0, ""};
        SettingsDialog load(stored, fresh, platform);
        load.FormLoad();
        EXPECT_EQ(fresh.bar.Value(), 1) << speed;
    }
}

TEST_F(SettingsDialogTest, FailingLoadStepsAreSkipped) {
    view.failing = {"move", "init", "mark", "repeat"};
    values = SettingsValues{12, 2, 3, "x.wav"};
    dialog.FormLoad();
    // Only the first mark is tried in the clearing step; the selecting step still runs.
    EXPECT_EQ(LoadStepsOnly(view.calls), (Calls{"move 10867 4275", "init buttons", "bar 12", "speed '12'", "mark 0 off",
                                                "mark 2 on", "repeat '3'", "file 'x.wav'"}));
    EXPECT_EQ(platform.calls.back(), "pointer 0");
}

TEST_F(SettingsDialogTest, MusicChoiceSelectsOnlyThatRowAndTakesEffectAtOnce) {
    for (int index : {1, 0, 2, 2}) {
        view.calls.clear();
        if (index % 2) {
            dialog.ImgBgmClick(index);
        } else {
            dialog.LblBgmClick(index);
        }
        EXPECT_EQ(view.calls, (Calls{"mark 0 off", "mark 1 off", "mark 2 off", "mark " + std::to_string(index) + " on"}));
        EXPECT_EQ(values.BgmKind, index);
    }
}

TEST_F(SettingsDialogTest, SpeedLabelFollowsTheBarWithoutTouchingTheSetting) {
    values.RotationSpeed = 10;
    view.bar.SetValue(26);
    dialog.HsFastChange();
    view.bar.SetValue(50);
    dialog.HsFastScroll();
    EXPECT_EQ(view.calls, (Calls{"speed '26'", "speed '50'"}));
    EXPECT_EQ(values.RotationSpeed, 10);
}

TEST_F(SettingsDialogTest, ChosenFileIsStoredAndShownAndACancelChangesNothing) {
    values.BgmFile = "old.mp3";
    platform.chosenFile = std::nullopt;
    dialog.CmdBgmClick();
    EXPECT_EQ(values.BgmFile, "old.mp3");
    EXPECT_TRUE(view.calls.empty());

    platform.chosenFile = "C:\\音楽\\曲.wav";
    dialog.CmdBgmClick();
    EXPECT_EQ(values.BgmFile, "C:\\音楽\\曲.wav");
    EXPECT_EQ(view.calls, (Calls{"file 'C:\\音楽\\曲.wav'"}));
    EXPECT_EQ(values.BgmKind, 0);  // choosing a file does not choose the file row
}

TEST_F(SettingsDialogTest, SaveWritesAllFourKeysInOrderThenCloses) {
    values = SettingsValues{10, 0, 0, "C:\\a.mp3"};
    dialog.FormLoad();
    view.bar.SetValue(25);
    dialog.LblBgmClick(2);
    view.repeatText = "12";
    view.calls.clear();
    platform.calls.clear();
    dialog.CmdSetClick();
    EXPECT_EQ(Writes(), (Calls{"write [Section] 回転の速さ=' 25'", "write [Section] BGM区分=' 2'",
                               "write [Section] BGMﾘﾋﾟｰﾄ=' 12'", "write [Section] BGMﾌｧｲﾙ='C:\\a.mp3'"}));
    EXPECT_EQ(values.BgmRepeat, 12);
    EXPECT_EQ(view.calls, (Calls{"unload"}));
}

TEST_F(SettingsDialogTest, UnchangedDialogStillWritesEveryKey) {
    values = SettingsValues{75, 7, 0, ""};
    dialog.FormLoad();
    platform.calls.clear();
    dialog.SaveSettings();
    EXPECT_EQ(Writes(), (Calls{"write [Section] 回転の速さ=' 1'", "write [Section] BGM区分=' 7'",
                               "write [Section] BGMﾘﾋﾟｰﾄ=' 0'", "write [Section] BGMﾌｧｲﾙ=''"}));
}

TEST_F(SettingsDialogTest, RepeatTextsAsSaved) {
    struct Case {
        const char* typed;
        const char* saved;
        std::int16_t kept;
    };
    for (const Case& c : {Case{"", " 0", 0}, Case{"12", " 12", 12}, Case{"2.5", " 2", 2}, Case{"3.5", " 4", 4},
                          Case{"word", " 0", 0}, Case{"-3", "-3", -3}, Case{"40000", " 9", 9}, Case{"-5", "-5", -5}}) {
        values.BgmRepeat = 9;  // as read at start-up
        view.repeatText = c.typed;
        platform.calls.clear();
        dialog.SaveSettings();
        ASSERT_EQ(Writes().size(), 4u);
        EXPECT_EQ(Writes()[2], std::string("write [Section] BGMﾘﾋﾟｰﾄ='") + c.saved + "'") << c.typed;
        EXPECT_EQ(values.BgmRepeat, c.kept) << c.typed;
    }
}

TEST_F(SettingsDialogTest, LongPathIsSavedWhole) {
    values.BgmFile = "C:\\" + std::string(246, 'a') + ".mp3";
    ASSERT_EQ(values.BgmFile.size(), 253u);
    dialog.SaveSettings();
    EXPECT_EQ(Writes().back(), "write [Section] BGMﾌｧｲﾙ='" + values.BgmFile + "'");
}

TEST_F(SettingsDialogTest, FailingWriteDoesNotStopTheOthersOrTheClosing) {
    platform.failingKeys = {"回転の速さ", "BGMﾘﾋﾟｰﾄ"};
    dialog.CmdSetClick();
    EXPECT_EQ(Writes().size(), 4u);
    EXPECT_EQ(view.calls, (Calls{"unload"}));
}

TEST_F(SettingsDialogTest, CancelWritesNothingEvenAfterChoices) {
    platform.chosenFile = "C:\\b.wav";
    dialog.ImgBgmClick(1);
    dialog.CmdBgmClick();
    view.repeatText = "4";
    dialog.CmdCanClick();
    EXPECT_TRUE(Writes().empty());
    EXPECT_EQ(view.calls.back(), "unload");
}

TEST_F(SettingsDialogTest, UnloadZoomsBackToThePointOfTheOpening) {
    platform.cursor = ScreenPoint{100, 200};
    dialog.FormLoad();
    platform.cursor = ScreenPoint{900, 900};
    platform.calls.clear();
    dialog.FormUnload();
    EXPECT_EQ(platform.calls, (Calls{"zoom close 100 200"}));
    EXPECT_TRUE(Writes().empty());
}

TEST_F(SettingsDialogTest, ShadingCoversTheFormThenThePictureBoxRowByRow) {
    dialog.FormResize();
    ASSERT_EQ(view.shading.size(), 194u + 114u);
    for (std::size_t i = 0; i < view.shading.size(); ++i) {
        const bool onForm = i < 194;
        EXPECT_EQ(view.shading[i].surface, onForm ? ShadedSurface::Form : ShadedSurface::PictureBox);
        EXPECT_EQ(view.shading[i].y, static_cast<int>(onForm ? i : i - 194));
    }
    EXPECT_EQ(view.shading[96].colour, (ShadeColour{220, 220, 250}));
    EXPECT_EQ(view.shading[194 + 56].colour, (ShadeColour{250, 250, 250}));
}

TEST_F(SettingsDialogTest, ShadingOfASurfaceWithoutHeightLeavesTheOtherShaded) {
    view.formHeight = 0;
    dialog.FormResize();
    ASSERT_EQ(view.shading.size(), 114u);
    EXPECT_EQ(view.shading.front().surface, ShadedSurface::PictureBox);
}

TEST_F(SettingsDialogTest, LinkOpensTheShownAddressUnderTheHourglass) {
    dialog.LblUrlClick();
    EXPECT_EQ(platform.calls,
              (Calls{"pointer 11", "open https://github.com/spindlewave/spindlewave", "pointer 0"}));
    platform.calls.clear();
    platform.shellFails = true;
    dialog.LblUrlClick();
    EXPECT_EQ(platform.calls.back(), "pointer 0");
    EXPECT_TRUE(view.calls.empty());  // the dialog stays open
}

}  // namespace
}  // namespace spindle
