// The profile engine: reads of hand-written and platform files, how a write changes a file, the
// one-step replacement with failing file operations. The settings file: where it goes and where
// start-up reads it (beside the program while that place takes writes, in the user's own copy where
// it does not), and LoadSettings: each key's step on its own and the music-file fallback.
#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "settings/private_profile.h"
#include "settings/settings_file.h"
#include "settings/settings_keys.h"
#include "settings/settings_place.h"
#include "support/memory_profile_store.h"

namespace spindle {
namespace {

using S = test::MemoryProfileStore;
const LeadBytePredicate kSjis = IsShiftJisLeadByte;

// As a person would leave it in Notepad: mixed line breaks, comments, other sections, odd cases and blanks.
const std::string kHand =
    "; settings\nloose=before any section\r\n[Other]\r\nspeed=99\r\n\r\n  [ section ]  \n; speed=5\n"
    "\tSpeed\t=\t 7 \t\nKind=2\r\nkind=3\r\nempty=\r\nbare\r\nQuoted=\"a b\"\r\nSingle='x'\r\nHalf=\"x\r\n"
    "Nul=ab" + std::string(1, '\0') + "cd\r\n[Section]\r\nlater=not seen\r\n[Last]\rcr=only\reof=no line break";

TEST(ProfileGetValue, FindsTheValueAsWrittenByHandOrByThePlatform) {
    std::string kana;  // after one 'a', the 128th character crosses the cut; each ends in a byte that could lead
    for (int i = 0; i < 130; ++i) kana += "\x82\x9F";
    // 0x83 0x41 / 0x83 0x61 differ only in a second byte that looks like 'A' / 'a'; 0x93 0x5D ends in ']'.
    const std::string kata = "[S]\r\n\x83\x61=other\r\nx\x83\x41=mine\r\n", a253(253, 'a');
    const std::string cases[][4] = {  // content, section, key, value
        {kHand, "Section", "Speed", "7"}, {kHand, "SECTION", "speed", "7"},
        {kHand, "Section", "kind", "2"},  // the first one wins
        {kHand, "Section", "quoted", "a b"}, {kHand, "Section", "half", "\"x"}, {kHand, "Section", "later", ""},
        {kHand, "Section", "; speed", ""}, {kHand, "Last", "cr", "only"}, {kHand, "Last", "eof", "no line break"},
        {"\xEF\xBB\xBF[S]\r\nk=1\r\n", "S", "k", "1"}, {"[S]\r\n\v k \f= \t1\t\x1A", "S", "k", "1"},
        {kata, "S", "X\x83\x41", "mine"}, {"[A]\r\n[\x93\x5D\r\nk=1\r\n", "A", "k", "1"},
        {"[S]\r\nk=" + std::string(300, 'a'), "S", "k", std::string(255, 'a')},
        {"[S]\r\nk=" + a253 + "\x82\xA0zz", "S", "k", a253 + "\x82\xA0"},
        {"[S]\r\nk=a" + kana, "S", "k", std::string("a").append(kana, 0, 254)},
    };
    for (const auto& [content, section, key, value] : cases) {
        EXPECT_EQ(ProfileGetValue(content, section, key, kSjis), value) << section << "/" << key;
    }
}

TEST(ProfileSetValue, ChangesOnlyWhatItMust) {
    const std::string cases[][5] = {  // before, section, key, value, after
        {"", "Section", "a", " 12", "[Section]\r\na= 12\r\n"},
        {"; top\n[Other]\nk=keep\n\n[Section]\n a = 1 \nk=old\nz=9\n[Tail]\nk=t", "section", "K", "new",
         "; top\n[Other]\nk=keep\n\n[Section]\n a = 1 \nK=new\r\nz=9\n[Tail]\nk=t"},
        {"[S]\r\na=1\r\n\r\n; next\r\n[T]\r\n", "S", "b", "2", "[S]\r\na=1\r\nb=2\r\n\r\n; next\r\n[T]\r\n"},
        {"[S]\ra=1\r", "S", "b", "2", "[S]\ra=1\rb=2\r\n"}, {"[T]\nx=1", "S", "b", "2", "[T]\nx=1\r\n[S]\r\nb=2\r\n"},
        {"", "S", "k", "a\r\n[S]\r\nx=1", "[S]\r\nk=a\r\n"},  // a value cannot plant lines of its own
        {"", "\x93]", "k", "1", "[\x93]]\r\nk=1\r\n"},  // a ']' that ends a character is no end of the name
    };
    for (const auto& [before, section, key, value, after] : cases) {
        EXPECT_EQ(ProfileSetValue(before, section, key, value, kSjis), after) << before << "/" << key;
    }
    // Names the file could not hold leave it as it was (a section ending in a lone lead byte would take
    // the header's ']' as its partner).
    const char* names[][2] = {{"", "k"}, {"a]b", "k"}, {"a\nb", "k"}, {"S\x93", "k"}, {"S", ""}, {"S", "a=b"},
                              {"S", "[k"}, {"S", ";k"}, {"S", "a\rb"}};
    for (auto& n : names) EXPECT_EQ(ProfileSetValue("[S]\r\n", n[0], n[1], "v", kSjis), "[S]\r\n") << n[0] << n[1];
}

TEST(WriteProfileValue, ReplacesTheFileInOneStepWritesOverItOrLeavesItAsItWas) {
    const std::string path = "C:\\Saver\\Spindlewave.ini", old = "[Section]\r\nk=old\r\n", read = "read " + path;
    const std::string make = "new " + path + ".tmp", replace = "replace " + path, remove = "remove " + path + ".tmp",
                      over = "over " + path;
    using W = WriteOutcome;
    const std::tuple<S::Fault, W, std::vector<std::string>> cases[] = {  // fault, outcome, calls
        {S::kNone, W::Written, {read, make, replace}},
        // A folder that takes no new file, as the platform's own functions would: in place.
        {S::kNoNewFiles, W::Written, {read, make, over}},
        {S::kReadOnlyFolder, W::Refused, {read, make, over}},
        {S::kReadOnlyFile, W::Refused, {read, make, replace, remove, over}},
        {S::kReplaceFails, W::Written, {read, make, replace, remove, over}},
        {S::kWriteBreaks, W::Failed, {read, make, remove}},
        {S::kReadFails, W::Failed, {read}},  // not replaced by a one-key file
        // Another program holds it: told as such, and no other way is tried.
        {S::kHeld, W::InUse, {read, make, replace, remove, over}},
        {S::kLocked, W::InUse, {read}},
        {S::kDiskFull, W::DiskFull, {read, make, remove}},
    };
    for (const auto& [fault, outcome, calls] : cases) {
        S store;
        store.folders = {"C:\\Saver"};
        store.files[path] = old;
        store.Set(fault, path);
        EXPECT_EQ(WriteProfileValue(store, path, "Section", "k", "new", kSjis), outcome) << fault;
        const std::map<std::string, std::string> after{{path, outcome == W::Written ? "[Section]\r\nk=new\r\n" : old}};
        EXPECT_EQ(std::tuple(store.files, store.calls), std::tuple(after, calls)) << fault;
    }
}

const std::string kProgramFolder = "C:\\Windows\\System32", kBeside = kProgramFolder + "\\Spindlewave.ini";
const std::string kAppData = "C:\\Users\\u\\AppData\\Roaming", kOwnFolder = kAppData + "\\Spindlewave";
const std::string kOwn = kOwnFolder + "\\Spindlewave.ini";
const std::string kOld = "[Section]\r\nk= 1\r\n", kNew = "[Section]\r\nk= 2\r\n";

S Store(S::Fault place, bool besideThere, bool ownThere) {
    S store;
    store.folders = {kProgramFolder, kAppData};
    if (besideThere) store.files[kBeside] = kOld;
    if (ownThere) store.folders.insert(kOwnFolder), store.files[kOwn] = kOld;
    store.Set(place, kBeside);
    return store;
}

TEST(SettingsPlace, TheUsersOwnCopyServesOnlyWhereNothingBesideTheProgramCanBeWritten) {
    // beside the program, an own copy there?; both files after a write ("" for none); the file read then
    const std::tuple<S::Fault, bool, bool, std::string, std::string, std::string> cases[] = {
        {S::kNone, true, true, kNew, kOld, kBeside},  // as ever: an old own copy is not looked at
        {S::kReadOnlyFolder, true, true, kOld, kNew, kOwn},  // a machine copy beside: the user's own wins
        {S::kNoNewFiles, true, false, kNew, "", kBeside},  // written in place
        {S::kNoNewFiles, false, false, "", kNew, kOwn},
        {S::kReadOnlyFolder, true, false, kOld, kNew, kOwn},
        {S::kReadOnlyFile, true, false, kOld, kNew, kOwn},
        {S::kReadFails, true, false, kOld, "", kBeside},  // nothing goes elsewhere
        {S::kHeld, true, false, kOld, "", kBeside},
        {S::kDiskFull, true, false, kOld, "", kBeside},
    };
    for (const auto& [place, besideThere, ownThere, besideAfter, ownAfter, readFrom] : cases) {
        S store = Store(place, besideThere, ownThere);
        WriteSettingsValues(store, {kBeside, kOwn}, "Section", {{"k", " 2"}}, kSjis);
        store.readFails = false, store.held.clear();
        std::map<std::string, std::string> after;
        if (!besideAfter.empty()) after[kBeside] = besideAfter;
        if (!ownAfter.empty()) after[kOwn] = ownAfter;
        // The own folder is made only for a copy there: a file held by another program is no refusal.
        const bool ownFolder = ownThere || !ownAfter.empty();
        EXPECT_EQ(std::tuple(store.files, store.folders.count(kOwnFolder) == 1), std::tuple(after, ownFolder)) << place;
        EXPECT_EQ(SettingsFileToRead(store, {kBeside, kOwn}), readFrom) << place;
    }
    // Without an application-data folder everything stays beside the program.
    S store = Store(S::kReadOnlyFolder, false, false);
    EXPECT_EQ(WriteSettingsValues(store, {kBeside, ""}, "Section", {{"k", " 2"}}, kSjis), WriteOutcome::Refused);
    EXPECT_TRUE(store.files.empty());
    EXPECT_EQ(SettingsFileToRead(store, {kBeside, ""}), kBeside);
}

using Loaded = std::tuple<float, int, int, std::string>;  // speed, kind, repeat, music file

// The engine over one file's bytes, with the names' Shift-JIS forms; a stored "!" is a failing read.
class ContentReader : public SettingsReaderPort, public FileProbePort {
public:
    std::string content;
    bool musicOpens = false;
    std::string ReadIniString(std::string_view section, std::string_view key, std::string_view) override {
        std::string value =
            ProfileGetValue(content, KnownShiftJisName(section).value(), KnownShiftJisName(key).value(), kSjis);
        if (value == "!") throw std::runtime_error("read failed");
        return value;
    }
    bool FileExists(std::string_view) override { return musicOpens; }
};

TEST(LoadSettings, FillsEachValueInAStepOfItsOwn) {
    const std::string song = "C:\\Music\\song.mp3", longPath = "C:\\" + std::string(297, 'p');
    // The texts of speed, kind, repeat and music (an empty one is not in the file), whether the music
    // file opens, the decimal mark; what is loaded.
    struct Case { std::string texts[4]; bool opens; char mark; Loaded expected; } cases[] = {
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
        ContentReader file;
        for (std::size_t i = 0; i < 4; ++i) {
            if (c.texts[i].empty()) continue;
            file.content = ProfileSetValue(file.content, "Section", kSettingsKeys[i].shiftJis, c.texts[i], kSjis);
        }
        file.musicOpens = c.opens;
        SettingsValues v{33, 9, 9, "C:\\old.mp3"};  // values no step sets by itself, so a kept value shows
        LoadSettings(v, file, file, "C:\\Saver\\Spindlewave.ini", c.mark);
        EXPECT_EQ(Loaded(v.RotationSpeed, v.BgmKind, v.BgmRepeat, v.BgmFile), c.expected) << file.content;
    }
    EXPECT_EQ(SettingsPathBeside("C:\\Program Files\\Saver\\Spindlewave.scr"),
              "C:\\Program Files\\Saver\\Spindlewave.ini");
}

// Files nobody meant to write (10 MB, binary, UTF-16, unbalanced): read in linear time, never a crash.
TEST(LoadSettings, SurvivesFilesNoOneMeantToWrite) {
    const std::string speed = "\x89\xF1\x93\x5D\x82\xCC\x91\xAC\x82\xB3= 25\r\n", valid = "[Section]\r\n" + speed;
    std::string utf16 = "\xFF\xFE", huge = "[Other]\r\n";
    for (char c : valid) utf16 += std::string{c, '\0'};
    while (huge.size() < (10u << 20)) huge += "key" + std::to_string(huge.size()) + "=some value\r\n";
    for (const auto& [content, expected] : std::initializer_list<std::pair<std::string, float>>{
             {huge + valid.substr(0, valid.size() - 2), 25},  // no line break at the end
             {std::string("[Section]\r\nBGM\x8B\xE6\x95\xAA=\0 2\r\n", 24) + speed, 25},
             {"[Section]\r\nBGM\xCC\xA7\xB2\xD9=" + std::string(1 << 20, 'x'), 1}, {std::string(1 << 20, '['), 1},
             {std::string(1 << 20, '\n'), 1}, {std::string(1 << 20, '\x81'), 1}, {std::string(1 << 16, '\0'), 1},
             {utf16, 1}, {"[Section\x81]\r\n\x81", 1}}) {
        ContentReader file;
        file.content = content;
        SettingsValues v;
        LoadSettings(v, file, file, "C:\\Saver\\Spindlewave.ini", '.');
        EXPECT_EQ(v.RotationSpeed, expected) << content.substr(0, 40);
    }
}

}  // namespace
}  // namespace spindle
