// LoadSettings: each key's step on its own, the music-file fallback, reading through the
// profile engine; and where the settings file lies.
#include "startup/settings_file.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <stdexcept>
#include <string>

#include "startup/private_profile.h"
#include "startup/settings_keys.h"

namespace spindle {
namespace {

const std::string kFile = "C:\\Saver\\Spindlewave.ini";

// The file's texts by key; keys listed in failing throw as a broken read would.
class FakeReader : public SettingsReaderPort {
public:
    std::map<std::string, std::string> texts;
    std::set<std::string> failing;
    std::string ReadIniString(std::string_view section, std::string_view key, std::string_view file) override {
        EXPECT_EQ(section, "Section");
        EXPECT_EQ(file, kFile);
        if (failing.count(std::string(key))) throw std::runtime_error("read failed");
        auto it = texts.find(std::string(key));
        return it == texts.end() ? std::string() : it->second;
    }
};

class FakeProbe : public FileProbePort {
public:
    std::set<std::string> existing;
    std::vector<std::string> asked;
    bool FileExists(std::string_view path) override {
        asked.emplace_back(path);
        return existing.count(std::string(path)) > 0;
    }
};

// Values that no step sets by itself, so a kept value shows.
SettingsValues Marked() {
    SettingsValues values;
    values.RotationSpeed = 33;
    values.BgmKind = 1;
    values.BgmRepeat = 4;
    values.BgmFile = "C:\\old.mp3";
    return values;
}

SettingsValues Load(std::map<std::string, std::string> texts, SettingsValues start = Marked(), char separator = '.',
                    std::set<std::string> existing = {}) {
    FakeReader reader;
    reader.texts = std::move(texts);
    FakeProbe probe;
    probe.existing = std::move(existing);
    LoadSettings(start, reader, probe, kFile, separator);
    return start;
}

const std::string kSpeed(kSpeedKey.name), kKind(kBgmKindKey.name), kRepeat(kBgmRepeatKey.name),
    kMusic(kBgmFileKey.name);

TEST(LoadSettings, NoFileGivesTheDefaults) {
    SettingsValues values = Load({});
    EXPECT_EQ(values.RotationSpeed, 1.0f);
    EXPECT_EQ(values.BgmKind, 0);
    EXPECT_EQ(values.BgmRepeat, 0);
    EXPECT_EQ(values.BgmFile, "");
}

TEST(LoadSettings, SpeedIsTheNumberRoundedDown) {
    struct Case {
        const char* text;
        float expected;
    } cases[] = {
        {" 7", 7}, {"2.7", 2}, {"-2.5", -3}, {" 12 ", 12}, {"+3", 3}, {"1e3", 1000}, {"0", 0},
        {"letters", 33}, {"7x", 33}, {"7 7", 33}, {"1e39", 33},  // not a number, or beyond a float: kept
    };
    for (const Case& c : cases) EXPECT_EQ(Load({{kSpeed, c.text}}).RotationSpeed, c.expected) << c.text;

    SettingsValues fresh;
    EXPECT_EQ(Load({{kSpeed, "abc"}}, fresh).RotationSpeed, 0.0f);
}

TEST(LoadSettings, SpeedFollowsTheUsersFractionMark) {
    EXPECT_EQ(Load({{kSpeed, "2,7"}}, Marked(), ',').RotationSpeed, 2.0f);
    EXPECT_EQ(Load({{kSpeed, "2.7"}}, Marked(), ',').RotationSpeed, 33.0f);
}

TEST(LoadSettings, KindAndRepeatAreSixteenBitWholeNumbers) {
    struct Case {
        const char* text;
        std::int16_t expected;
    } cases[] = {
        {"", 0}, {" 2", 2}, {"2.9", 2}, {"-0.5", -1}, {" 32767", 32767}, {"-32768", -32768},
        {"32768", 9}, {"-32769", 9}, {"99999999999", 9}, {"two", 9}, {"1,5", 9},  // kept
    };
    for (const Case& c : cases) {
        SettingsValues start = Marked();
        start.BgmKind = 9;
        start.BgmRepeat = 9;
        // A music file that opens, so that kind 2 stays.
        SettingsValues values = Load({{kKind, c.text}, {kRepeat, c.text}, {kMusic, "C:\\a.mp3"}}, start, '.', {"C:\\a.mp3"});
        EXPECT_EQ(values.BgmKind, c.expected) << c.text;
        EXPECT_EQ(values.BgmRepeat, c.expected) << c.text;
    }
}

TEST(LoadSettings, AMusicFileThatCannotBeOpenedIsForgotten) {
    const std::string song = "C:\\Music\\song.mp3";
    struct Case {
        const char* kind;
        std::string path;
        bool exists;
        std::int16_t expectedKind;
        std::string expectedFile;
    } cases[] = {
        {" 2", song, true, 2, song},
        {" 2", song, false, 0, ""},  // a file kind without a file plays nothing
        {" 1", song, false, 1, ""},  // the CD does not need the file
        {" 2", "", true, 0, ""},
        {" 0", song, true, 0, song},
        {" 2", "C:\\Music\\", false, 0, ""},
    };
    for (const Case& c : cases) {
        FakeReader reader;
        reader.texts = {{kKind, c.kind}, {kMusic, c.path}};
        FakeProbe probe;
        if (c.exists) probe.existing = {c.path};
        SettingsValues values = Marked();
        LoadSettings(values, reader, probe, kFile);
        EXPECT_EQ(values.BgmKind, c.expectedKind) << c.kind << " " << c.path;
        EXPECT_EQ(values.BgmFile, c.expectedFile) << c.kind << " " << c.path;
        EXPECT_EQ(probe.asked, c.path.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.path});
    }
}

TEST(LoadSettings, AFailingStepLeavesOnlyItsOwnValue) {
    FakeReader reader;
    reader.texts = {{kSpeed, " 5"}, {kKind, "x"}, {kRepeat, " 3"}, {kMusic, "C:\\a.wav"}};
    reader.failing = {kSpeed, kMusic};
    FakeProbe probe;
    SettingsValues values = Marked();
    LoadSettings(values, reader, probe, kFile);
    EXPECT_EQ(values.RotationSpeed, 33.0f);
    EXPECT_EQ(values.BgmKind, 1);
    EXPECT_EQ(values.BgmRepeat, 3);
    EXPECT_EQ(values.BgmFile, "C:\\old.mp3");
}

// The real engine under the reader, over one file's bytes, with the names' Shift-JIS forms.
class EngineReader : public SettingsReaderPort {
public:
    std::string content;
    std::string ReadIniString(std::string_view section, std::string_view key, std::string_view) override {
        return ProfileGetValue(content, KnownShiftJisName(section).value(), KnownShiftJisName(key).value(),
                               IsShiftJisLeadByte);
    }
};

TEST(LoadSettings, ReadsAFileTheDialogWrote) {
    EngineReader reader;
    const std::string longPath = "C:\\" + std::string(297, 'p');
    for (const SettingsKey& key : kSettingsKeys) {
        std::string value = key.name == kBgmFileKey.name ? longPath : " 12";
        reader.content = ProfileSetValue(reader.content, kSettingsSection.shiftJis, key.shiftJis, value, IsShiftJisLeadByte);
    }
    FakeProbe probe;
    SettingsValues values = Marked();
    LoadSettings(values, reader, probe, kFile);
    EXPECT_EQ(values.RotationSpeed, 12.0f);
    EXPECT_EQ(values.BgmKind, 12);
    EXPECT_EQ(values.BgmRepeat, 12);
    // The 300-byte path comes back as its first 255 bytes.
    EXPECT_EQ(probe.asked, std::vector<std::string>{longPath.substr(0, 255)});
}

TEST(SettingsKeys, AreDistinctShiftJisBytes) {
    std::set<std::string_view> bytes;
    for (const SettingsKey& key : kSettingsKeys) bytes.insert(key.shiftJis);
    EXPECT_EQ(bytes.size(), 4u);
    EXPECT_EQ(KnownShiftJisName("BGMﾌｧｲﾙ"), "BGM\xCC\xA7\xB2\xD9");
    EXPECT_EQ(KnownShiftJisName("Section"), "Section");
    EXPECT_EQ(KnownShiftJisName("other"), std::nullopt);
}

TEST(SettingsPathBeside, IsTheProgramsFolderAndTheFileName) {
    struct Case {
        const char* program;
        const char* expected;
    } cases[] = {
        {"C:\\Windows\\System32\\Spindlewave.scr", "C:\\Windows\\System32\\Spindlewave.ini"},
        {"C:\\Spindlewave.scr", "C:\\Spindlewave.ini"},
        {"\\\\server\\share\\renamed.scr", "\\\\server\\share\\Spindlewave.ini"},
        {"D:\\\xE9\x9F\xB3\xE6\xA5\xBD\\x.scr", "D:\\\xE9\x9F\xB3\xE6\xA5\xBD\\Spindlewave.ini"},
        {"bare.scr", "Spindlewave.ini"},
    };
    for (const Case& c : cases) EXPECT_EQ(SettingsPathBeside(c.program), c.expected) << c.program;
}

}  // namespace
}  // namespace spindle
