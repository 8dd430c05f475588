// LoadSettings over the profile engine: each key's step on its own, the music-file fallback and
// files no one meant to write.
#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>

#include "settings/private_profile.h"
#include "settings/settings_keys.h"

namespace spindle {
namespace {

using Loaded = std::tuple<float, int, int, std::string>;  // speed, kind, repeat, music file

// The engine over one file's bytes, with the names' Shift-JIS forms; a stored "!" is a failing read.
class ContentReader : public SettingsReaderPort, public FileProbePort {
public:
    std::string content;
    bool musicOpens = false;
    std::string ReadIniString(std::string_view section, std::string_view key, std::string_view) override {
        std::string value = ProfileGetValue(content, KnownShiftJisName(section).value(), KnownShiftJisName(key).value(),
                                            IsShiftJisLeadByte);
        if (value == "!") throw std::runtime_error("read failed");
        return value;
    }
    bool FileExists(std::string_view) override { return musicOpens; }
};

// LoadSettings from values that no step sets by itself, so a kept value shows.
Loaded Load(std::string content, bool musicOpens = false, char mark = '.') {
    ContentReader file;
    file.content = std::move(content);
    file.musicOpens = musicOpens;
    SettingsValues v{33, 9, 9, "C:\\old.mp3"};
    LoadSettings(v, file, file, "C:\\Saver\\Spindlewave.ini", mark);
    return {v.RotationSpeed, v.BgmKind, v.BgmRepeat, v.BgmFile};
}

TEST(LoadSettings, FillsEachValueInAStepOfItsOwn) {
    const std::string song = "C:\\Music\\song.mp3", longPath = "C:\\" + std::string(297, 'p');
    struct Case {
        std::string texts[4];  // speed, kind, repeat, music; empty texts are not in the file
        bool opens;
        char mark;
        Loaded expected;
    } cases[] = {
        {{"", "", "", ""}, false, '.', {1, 0, 0, ""}},  // no file: the defaults
        {{" 7", "2.9", " 32767", song}, true, '.', {7, 2, 32767, song}},
        {{"2.7", "-0.5", "-32768", ""}, false, '.', {2, -1, -32768, ""}},
        {{"-2.5", " 1", "+3", song}, false, '.', {-3, 1, 3, ""}},  // the CD needs no file
        // Not a number, beyond the type, a failing read: that value is kept.
        {{"letters", "two", "32768", "!"}, false, '.', {33, 9, 9, "C:\\old.mp3"}},
        {{"1e39", "99999999999", "1,5", ""}, false, '.', {33, 9, 9, ""}},
        {{"!", " 2", "7x", song}, false, '.', {33, 0, 9, ""}},  // a file kind without its file plays nothing
        {{"2,7", "", "", ""}, false, ',', {2, 0, 0, ""}}, {{"2.7", "", "", ""}, false, ',', {33, 0, 0, ""}},
        {{"", " 2", "", longPath}, true, '.', {1, 2, 0, longPath.substr(0, 255)}},  // a 300-byte value comes back cut
    };
    for (const Case& c : cases) {
        std::string content;
        for (std::size_t i = 0; i < 4; ++i) {
            if (c.texts[i].empty()) continue;
            content = ProfileSetValue(content, "Section", kSettingsKeys[i].shiftJis, c.texts[i], IsShiftJisLeadByte);
        }
        EXPECT_EQ(Load(content, c.opens, c.mark), c.expected) << content;
    }
    EXPECT_EQ(SettingsPathBeside("C:\\Program Files\\Saver\\Spindlewave.scr"), "C:\\Program Files\\Saver\\Spindlewave.ini");
}

TEST(LoadSettings, SurvivesFilesNoOneMeantToWrite) {
    const std::string speed = "\x89\xF1\x93\x5D\x82\xCC\x91\xAC\x82\xB3= 25\r\n", valid = "[Section]\r\n" + speed;
    std::string utf16 = "\xFF\xFE", huge = "[Other]\r\n";
    for (char c : valid) utf16 += std::string{c, '\0'};
    while (huge.size() < (10u << 20)) huge += "key" + std::to_string(huge.size()) + "=some value\r\n";
    const std::pair<std::string, float> cases[] = {
        {huge + valid.substr(0, valid.size() - 2), 25},  // 10 MB, no line break at the end
        {std::string("[Section]\r\nBGM\x8B\xE6\x95\xAA=\0 2\r\n", 24) + speed, 25},
        {"[Section]\r\nBGM\xCC\xA7\xB2\xD9=" + std::string(1 << 20, 'x'), 1}, {std::string(1 << 20, '['), 1},
        {std::string(1 << 20, '\n'), 1}, {std::string(1 << 20, '\x81'), 1}, {std::string(1 << 16, '\0'), 1},
        {utf16, 1}, {"[Section\x81]\r\n\x81", 1},
    };
    for (const auto& [content, speed] : cases) EXPECT_EQ(std::get<0>(Load(content)), speed) << content.substr(0, 40);
}

}  // namespace
}  // namespace spindle
