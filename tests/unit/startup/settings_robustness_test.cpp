// Settings files no one meant to write: random and mutated bytes, huge lines, NUL bytes, UTF-16,
// 10 MB. The reader and LoadSettings must come back, and a write must still land.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "startup/private_profile.h"
#include "startup/settings_file.h"
#include "startup/settings_keys.h"

namespace spindle {
namespace {

const std::string kValid =
    "[Section]\r\n\x89\xF1\x93\x5D\x82\xCC\x91\xAC\x82\xB3= 25\r\nBGM\x8B\xE6\x95\xAA= 2\r\n"
    "BGM\xD8\xCB\xDF\xB0\xC4= 12\r\nBGM\xCC\xA7\xB2\xD9=C:\\\x89\xB9\x8Ay\\a.mp3\r\n";

class ContentReader : public SettingsReaderPort {
public:
    const std::string* content = nullptr;
    std::string ReadIniString(std::string_view section, std::string_view key, std::string_view) override {
        return ProfileGetValue(*content, KnownShiftJisName(section).value(), KnownShiftJisName(key).value(),
                               IsShiftJisLeadByte);
    }
};

class AnyFileExists : public FileProbePort {
public:
    bool FileExists(std::string_view) override { return true; }
};

// Reads the four keys and loads the settings; then a write must be read back unchanged and leave
// every key of another section as it was.
void CheckSurvives(const std::string& content) {
    ContentReader reader;
    reader.content = &content;
    AnyFileExists probe;
    SettingsValues values;
    LoadSettings(values, reader, probe, "file");
    EXPECT_LE(values.BgmFile.size(), kProfileValueLimit);

    const std::string otherBefore = ProfileGetValue(content, "Other", "k", IsShiftJisLeadByte);
    std::string written = ProfileSetValue(content, kSettingsSection.shiftJis, kBgmRepeatKey.shiftJis, " 7",
                                          IsShiftJisLeadByte);
    written = ProfileSetValue(written, "Fresh", "k", "v", IsShiftJisLeadByte);
    ASSERT_EQ(ProfileGetValue(written, kSettingsSection.shiftJis, kBgmRepeatKey.shiftJis, IsShiftJisLeadByte), "7");
    ASSERT_EQ(ProfileGetValue(written, "Fresh", "k", IsShiftJisLeadByte), "v");
    ASSERT_EQ(ProfileGetValue(written, "Other", "k", IsShiftJisLeadByte), otherBefore);
}

TEST(SettingsRobustness, RandomBytes) {
    std::mt19937 random(20240601);
    // Bytes drawn mostly from the characters that mean something to the format.
    const std::string alphabet = std::string("[]=;\r\n \t\"'\0\x1A\x81\x93\x5D", 16) + "SectionOtherkv";
    for (int round = 0; round < 2000; ++round) {
        std::string content(random() % 200, '\0');
        for (char& c : content) {
            c = random() % 3 ? alphabet[random() % alphabet.size()] : static_cast<char>(random() % 256);
        }
        CheckSurvives(content);
        if (HasFatalFailure()) return;
    }
}

TEST(SettingsRobustness, MutatedValidFiles) {
    std::mt19937 random(7);
    const std::string base = "; note\r\n[Other]\r\nk=1\r\n" + kValid + "[Tail]\r\nx=y";
    for (int round = 0; round < 2000; ++round) {
        std::string content = base;
        for (int edits = 1 + random() % 4; edits > 0; --edits) {
            std::size_t at = random() % (content.size() + 1);
            switch (random() % 3) {
                case 0: content.insert(at, 1, static_cast<char>(random() % 256)); break;
                case 1: if (at < content.size()) content.erase(at, 1 + random() % 8); break;
                default: if (at < content.size()) content[at] = static_cast<char>(random() % 256); break;
            }
        }
        CheckSurvives(content);
        if (HasFatalFailure()) return;
    }
}

TEST(SettingsRobustness, OddShapes) {
    std::string utf16 = "\xFF\xFE";
    for (char c : std::string("[Section]\r\nBGM=2\r\n")) utf16 += std::string{c, '\0'};
    const std::vector<std::string> shapes = {
        "",
        "[Section]",
        kValid.substr(0, kValid.size() - 2),                         // no line break at the end
        "[Section]\r\nBGM\xCC\xA7\xB2\xD9=" + std::string(1 << 20, 'x'),  // a 1 MB line
        std::string(1 << 20, '['),
        std::string(1 << 20, '\n'),
        std::string(1 << 20, '\x81'),
        std::string("[Section]\0\r\nBGM\x8B\xE6\x95\xAA=\0 2\r\n", 24),
        utf16,
        std::string(1 << 16, '\0'),
    };
    for (const std::string& content : shapes) {
        CheckSurvives(content);
        if (HasFatalFailure()) return;
    }
}

TEST(SettingsRobustness, TenMegabyteFile) {
    std::string content;
    content.reserve(11u << 20);
    content += "[Other]\r\n";
    for (int i = 0; content.size() < (10u << 20); ++i) content += "key" + std::to_string(i) + "=some value\r\n";
    content += kValid;
    ContentReader reader;
    reader.content = &content;
    AnyFileExists probe;
    SettingsValues values;
    LoadSettings(values, reader, probe, "file");
    EXPECT_EQ(values.RotationSpeed, 25.0f);
    EXPECT_EQ(values.BgmRepeat, 12);
    CheckSurvives(content);
}

}  // namespace
}  // namespace spindle
