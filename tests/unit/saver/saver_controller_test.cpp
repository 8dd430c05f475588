// The saver window's handlers against recording ports: load steps, music choice, keys, timers,
// the shut-down's order, and failing steps that are skipped.
#include "saver/saver_controller.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "runtime/runtime_error.h"

namespace spindle {
namespace {

using Log = std::vector<std::string>;

// One journal for every port, and a set of steps that are made to fail.
struct Journal {
    Log log;
    std::set<std::string> failing;
    void Note(const std::string& what) {
        log.push_back(what);
        if (failing.count(what)) throw RuntimeError(RuntimeError::Kind::Platform, what);
    }
};

class RecordingMusic : public MusicRoutines {
public:
    explicit RecordingMusic(Journal& journal) : journal_(journal) {}
    void CdOpen() override { journal_.Note("CdOpen"); }
    void CdPoll() override { journal_.Note("CdPoll"); }
    void CdPreviousTrack() override { journal_.Note("CdPreviousTrack"); }
    void CdNextTrack() override { journal_.Note("CdNextTrack"); }
    void CdClose() override { journal_.Note("CdClose"); }
    void Mp3Open() override { journal_.Note("Mp3Open"); }
    void Mp3Rewind() override { journal_.Note("Mp3Rewind"); }
    void Mp3Close() override { journal_.Note("Mp3Close"); }
    void WavPlay() override { journal_.Note("WavPlay"); }
    void WavStop() override { journal_.Note("WavStop"); }
    bool CdPolling() const override { return polling; }
    bool polling = true;

private:
    Journal& journal_;
};

class RecordingSystem : public SystemSettingsPort {
public:
    explicit RecordingSystem(Journal& journal) : journal_(journal) {}
    std::int32_t ShowCursor(std::int32_t show) override {
        journal_.Note("ShowCursor " + std::to_string(show));
        return show != 0 ? 0 : -1;
    }
    void SetSystemParameter(std::uint32_t action, std::uint32_t uiParam) override {
        journal_.Note("SPI " + std::to_string(action) + " " + std::to_string(uiParam));
    }

private:
    Journal& journal_;
};

// The window: records each step, draws nothing, and runs a scripted event in a frame's yield.
class RecordingForm : public SaverFormPort, public DrawingSurface, public EventYield {
public:
    explicit RecordingForm(Journal& journal) : journal_(journal) {}

    void CoverScreen() override { journal_.Note("CoverScreen"); }
    void CoverWindowWithDisplay() override { journal_.Note("CoverWindowWithDisplay"); }
    double TwipsPerPixelX() override { return 15; }
    double TwipsPerPixelY() override { return 15; }
    double PictureWidth() override { return 320; }
    double PictureHeight() override { return 320; }
    void CopyPictureToDisplay(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h) override {
        journal_.Note("CopyPicture " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(w) + " " +
                      std::to_string(h));
    }
    void KeepDisplayImageAsBackground() override { journal_.Note("KeepBackground"); }
    void SetTimer1Enabled(bool on) override { journal_.Note(on ? "Timer1 on" : "Timer1 off"); }
    void SetTimer2Enabled(bool on) override {
        timer2 = on;
        journal_.Note(on ? "Timer2 on" : "Timer2 off");
    }
    bool Timer2Enabled() override { return timer2; }
    void ShowNormal() override { journal_.Note("ShowNormal"); }
    void MakeTopmost() override { journal_.Note("MakeTopmost"); }
    void Unload() override { journal_.Note("Unload"); }
    void EndProcess() override { journal_.Note("EndProcess"); }

    float ScaleWidth() override { return widthPixels * 15.0f; }
    float ScaleHeight() override { return heightPixels * 15.0f; }
    void Cls() override { animating = true; }
    void Line(float, float, float, float, std::uint32_t) override {}
    void Refresh() override {
        if (!animating) journal_.Note("Refresh");  // the frames' own refreshes are not journalled
    }
    void YieldToEvents() override {
        ++frames;
        if (frames == 1) journal_.Note("first frame");
        if (frames == eventAtFrame && event) event();
        if (frames > 1000) throw RuntimeError(RuntimeError::Kind::Platform, "test ran away");
    }

    bool timer2 = false;
    bool animating = false;
    int widthPixels = 1920, heightPixels = 1080;
    int frames = 0;
    int eventAtFrame = 3;
    std::function<void()> event;

private:
    Journal& journal_;
};

struct Saver {
    explicit Saver(std::string modeLetter = "S") : mode(std::move(modeLetter)) {}
    Journal journal;
    RecordingMusic music{journal};
    RecordingSystem system{journal};
    RecordingForm form{journal};
    SettingsValues settings{1, 0, 0, ""};
    std::int32_t cursorState = -1;
    std::string mode;
    SaverController controller{form, form, form, music, system, settings, mode, cursorState};

    // Loads the form; a key press in the third frame ends it.
    Log LoadAndPress(std::int16_t key = 32) {
        form.event = [this, key] { controller.Form_KeyDown(key, 0); };
        controller.Form_Load();
        return journal.log;
    }
};

TEST(SaverFormLoad, StepsInOrderThenTheAnimationUntilAKeyEndsIt) {
    Saver saver;
    const Log log = saver.LoadAndPress();
    const Log expected = {"CoverScreen", "CoverWindowWithDisplay", "CopyPicture 800 380 320 320", "Refresh",
                          "KeepBackground", "ShowNormal", "MakeTopmost", "first frame", "SPI 97 0",
                          "ShowCursor -1", "SPI 17 1", "Unload", "EndProcess"};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(saver.form.frames, 3);  // the loop left right after the event pass that ended the saver
    EXPECT_FALSE(saver.controller.Anchors().Running);
}

TEST(SaverFormLoad, PictureCentredHalvesToEvenAndNegativeOnSmallScreens) {
    struct Case {
        int width, height;
        std::string copy;
    };
    const Case cases[] = {
        {1920, 1080, "CopyPicture 800 380 320 320"}, {1921, 1083, "CopyPicture 800 382 320 320"},
        {1923, 1081, "CopyPicture 802 380 320 320"}, {200, 150, "CopyPicture -60 -85 320 320"},
        {320, 320, "CopyPicture 0 0 320 320"},       {0, 0, "CopyPicture -160 -160 320 320"},
    };
    for (const Case& c : cases) {
        Saver saver;
        saver.form.widthPixels = c.width;
        saver.form.heightPixels = c.height;
        const Log log = saver.LoadAndPress();
        ASSERT_GE(log.size(), 3u);
        EXPECT_EQ(log[2], c.copy) << c.width << "x" << c.height;
    }
}

TEST(SaverFormLoad, MusicChosenByKindAndTheFileNamesLastThreeCharacters) {
    struct Case {
        std::int16_t kind;
        std::string file;
        Log music;  // what the load does between keeping the background and showing the window
    };
    const Case cases[] = {
        {0, "C:\\a.mp3", {}},
        {1, "", {"CdOpen", "Timer2 on"}},
        {2, "C:\\music\\a.wav", {"WavPlay"}},
        {2, "C:\\music\\A.WaV", {"WavPlay"}},
        {2, "C:\\music\\b.Mp3", {"Mp3Open", "Timer1 on"}},
        {2, "C:\\music\\bmp3", {"Mp3Open", "Timer1 on"}},  // no dot needed
        {2, "mp3", {"Mp3Open", "Timer1 on"}},
        {2, "C:\\music\\c.ogg", {}},
        {2, "C:\\music\\c.wav ", {}},
        {2, "", {}},
        {2, "\xE6\x9B\xB2.mp3", {"Mp3Open", "Timer1 on"}},  // a Japanese name
        {3, "C:\\a.wav", {}},
        {-1, "C:\\a.wav", {}},
    };
    for (const Case& c : cases) {
        Saver saver;
        saver.settings.BgmKind = c.kind;
        saver.settings.BgmFile = c.file;
        saver.form.eventAtFrame = 0;  // no key: stop the loop by hand
        saver.form.event = nullptr;
        saver.settings.RotationSpeed = 1e9f;  // the phase overflow ends the loop after one frame
        saver.controller.Form_Load();
        const Log& log = saver.journal.log;
        Log music(log.begin() + 5, log.end() - 3);
        EXPECT_EQ(music, c.music) << c.kind << " " << c.file;
        EXPECT_EQ(log.back(), "first frame");
    }
}

TEST(SaverFormLoad, EveryFailingStepIsSkipped) {
    for (const char* failing : {"CoverScreen", "CoverWindowWithDisplay", "CopyPicture 800 380 320 320", "Refresh",
                                "KeepBackground", "CdOpen", "ShowNormal", "MakeTopmost"}) {
        Saver saver;
        saver.settings.BgmKind = 1;
        saver.journal.failing.insert(failing);
        const Log log = saver.LoadAndPress(13);
        const Log expected = {"CoverScreen", "CoverWindowWithDisplay", "CopyPicture 800 380 320 320", "Refresh",
                              "KeepBackground", "CdOpen", "Timer2 on", "ShowNormal", "MakeTopmost", "first frame",
                              "Timer2 off", "CdClose", "SPI 97 0", "ShowCursor -1", "SPI 17 1", "Unload",
                              "EndProcess"};
        EXPECT_EQ(log, expected) << failing;
    }
}

TEST(SaverFormLoad, PhaseOverflowEndsTheAnimationButKeysStillEndTheSaver) {
    Saver saver;
    saver.settings.RotationSpeed = 8200;
    saver.form.event = nullptr;
    saver.controller.Form_Load();  // returns: the overflow is swallowed by the load's last step
    EXPECT_EQ(saver.form.frames, 4);
    EXPECT_EQ(saver.journal.log.back(), "first frame");
    saver.controller.Form_KeyDown(65, 0);
    EXPECT_EQ(saver.journal.log.back(), "EndProcess");
}

TEST(SaverKeyDown, ArrowsChangeTheCdTrackOnlyWithCdMusic) {
    struct Case {
        std::int16_t kind;
        std::int16_t key;
        std::string first;  // the first thing the key does
        bool ends;
    };
    const Case cases[] = {
        {1, 37, "CdPreviousTrack", false}, {1, 39, "CdNextTrack", false}, {1, 38, "Timer2 off", true},
        {1, 40, "Timer2 off", true},       {1, 27, "Timer2 off", true},   {0, 37, "SPI 97 0", true},
        {0, 39, "SPI 97 0", true},         {2, 37, "SPI 97 0", true},     {0, 0, "SPI 97 0", true},
        {0, -1, "SPI 97 0", true},
    };
    for (const Case& c : cases) {
        Saver saver;
        saver.settings.BgmKind = c.kind;
        saver.form.timer2 = c.kind == 1;
        saver.controller.Form_KeyDown(c.key, 0);
        ASSERT_FALSE(saver.journal.log.empty());
        EXPECT_EQ(saver.journal.log.front(), c.first) << c.kind << " " << c.key;
        EXPECT_EQ(saver.journal.log.back() == "EndProcess", c.ends) << c.kind << " " << c.key;
    }
}

TEST(SaverKeyDown, AFailingTrackChangeIsIgnored) {
    Saver saver;
    saver.settings.BgmKind = 1;
    saver.journal.failing.insert("CdNextTrack");
    EXPECT_NO_THROW(saver.controller.Form_KeyDown(kKeyRight, 0));
    EXPECT_EQ(saver.journal.log, Log{"CdNextTrack"});
}

TEST(SaverClick, EndsTheSaver) {
    Saver saver;
    saver.form.event = [&saver] { saver.controller.Display_Click(); };
    saver.controller.Form_Load();
    EXPECT_EQ(saver.journal.log.back(), "EndProcess");
    EXPECT_EQ(saver.form.frames, 3);
}

TEST(SaverTimers, Timer1RewindsTheMp3) {
    Saver saver;
    saver.controller.Timer1_Timer();
    EXPECT_EQ(saver.journal.log, Log{"Mp3Rewind"});
}

TEST(SaverTimers, Timer2PollsAndStaysOnOnlyWhileTheCdAnswers) {
    for (bool answers : {true, false}) {
        Saver saver;
        saver.form.timer2 = true;
        saver.music.polling = answers;
        saver.controller.Timer2_Timer();
        EXPECT_EQ(saver.journal.log, (Log{"CdPoll", answers ? "Timer2 on" : "Timer2 off"}));
    }
}

TEST(EndSaver, StepsFollowTheMusicAndTheModeLetter) {
    struct Case {
        std::string mode;
        std::int16_t kind;
        std::string file;
        bool timer2;
        Log expected;
    };
    const Case cases[] = {
        {"S", 1, "", true,
         {"Timer2 off", "CdClose", "SPI 97 0", "ShowCursor -1", "SPI 17 1", "Unload", "EndProcess"}},
        // Polling had stopped: the CD is not closed here.
        {"S", 1, "", false, {"SPI 97 0", "ShowCursor -1", "SPI 17 1", "Unload", "EndProcess"}},
        {"S", 2, "x.wav", false, {"WavStop", "SPI 97 0", "ShowCursor -1", "SPI 17 1", "Unload", "EndProcess"}},
        {"S", 2, "x.MP3", false, {"Mp3Close", "SPI 97 0", "ShowCursor -1", "SPI 17 1", "Unload", "EndProcess"}},
        {"S", 2, "x.txt", false, {"SPI 97 0", "ShowCursor -1", "SPI 17 1", "Unload", "EndProcess"}},
        // Started by hand: cursor and saver-running state were never touched.
        {"", 0, "", false, {"SPI 17 1", "Unload", "EndProcess"}},
        {"", 2, "x.mp3", false, {"Mp3Close", "SPI 17 1", "Unload", "EndProcess"}},
    };
    for (const Case& c : cases) {
        Saver saver(c.mode);
        saver.settings.BgmKind = c.kind;
        saver.settings.BgmFile = c.file;
        saver.form.timer2 = c.timer2;
        saver.controller.EndSaver();
        EXPECT_EQ(saver.journal.log, c.expected) << c.mode << " " << c.kind << " " << c.file;
    }
}

TEST(EndSaver, HandsTheSavedCursorCountBackAndKeepsTheNewOne) {
    Saver saver;
    saver.cursorState = -1;
    saver.controller.EndSaver();
    EXPECT_EQ(saver.cursorState, 0);
}

TEST(EndSaver, EveryFailingStepIsSkipped) {
    for (const char* failing : {"Timer2 off", "CdClose", "SPI 97 0", "ShowCursor -1", "SPI 17 1", "Unload"}) {
        Saver saver;
        saver.settings.BgmKind = 1;
        saver.form.timer2 = true;
        saver.journal.failing.insert(failing);
        saver.controller.EndSaver();
        const Log expected = {"Timer2 off", "CdClose", "SPI 97 0", "ShowCursor -1", "SPI 17 1", "Unload",
                              "EndProcess"};
        EXPECT_EQ(saver.journal.log, expected) << failing;
        EXPECT_FALSE(saver.controller.Anchors().Running);
    }
}

TEST(MusicFileTypeOf, LooksOnlyAtTheLastThreeCharacters) {
    struct Case {
        const char* file;
        MusicFileType type;
    };
    const Case cases[] = {
        {"a.wav", MusicFileType::Wav}, {"A.WAV", MusicFileType::Wav},   {"wav", MusicFileType::Wav},
        {"a.mp3", MusicFileType::Mp3}, {"songmP3", MusicFileType::Mp3}, {"a.mp3.txt", MusicFileType::None},
        {"mp", MusicFileType::None},   {"", MusicFileType::None},       {"a.wma", MusicFileType::None},
        // Three characters, not three bytes: a Japanese name ending in "ｗav" is no WAV file.
        {"\xE6\x9B\xB2\xEF\xBD\x97" "av", MusicFileType::None},
    };
    for (const Case& c : cases) EXPECT_EQ(MusicFileTypeOf(c.file), c.type) << c.file;
}

}  // namespace
}  // namespace spindle
