// The profile engine: what a read finds in files written by hand or by the platform, how a
// write changes a file, and the one-step replacement with failing file operations.
#include "startup/private_profile.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace spindle {
namespace {

std::string Get(std::string_view content, std::string_view section, std::string_view key,
                LeadBytePredicate lead = IsShiftJisLeadByte) {
    return ProfileGetValue(content, section, key, lead);
}

std::string Set(std::string_view content, std::string_view section, std::string_view key, std::string_view value) {
    return ProfileSetValue(content, section, key, value, IsShiftJisLeadByte);
}

// As a person would leave it in Notepad: LF and CRLF mixed, comments, blank lines, other
// sections around ours, names in other cases, blanks around everything.
const std::string kHandWritten =
    "; settings\n"
    "loose=before any section\r\n"
    "[Other]\r\n"
    "speed=99\r\n"
    "\r\n"
    "  [ section ]  \n"
    "; speed=5\n"
    "\tSpeed\t=\t 7 \t\n"
    "Kind=2\r\n"
    "kind=3\r\n"
    "empty=\r\n"
    "bare\r\n"
    "Quoted=\"a b\"\r\n"
    "Single='x'\r\n"
    "Half=\"x\r\n"
    "Nul=ab" + std::string(1, '\0') + "cd\r\n"
    "[Section]\r\n"
    "later=not seen\r\n"
    "[Last]\r"
    "cr=only\r"
    "eof=no line break";

TEST(ProfileGetValue, FindsValuesInAHandWrittenFile) {
    struct Case {
        const char* section;
        const char* key;
        const char* expected;
    } cases[] = {
        {"Section", "Speed", "7"},          // blanks and tabs around key and value trimmed
        {"SECTION", "speed", "7"},          // names without regard to case
        {" Section ", " Speed ", "7"},      // blanks around the asked names too
        {"Section", "kind", "2"},           // first of duplicate keys wins
        {"Section", "empty", ""},
        {"Section", "bare", ""},            // a key without '='
        {"Section", "quoted", "a b"},       // one pair of matching quotes removed
        {"Section", "single", "x"},
        {"Section", "half", "\"x"},
        {"Section", "nul", "ab"},           // the text ends at a NUL
        {"Section", "later", ""},           // only the first section of a name counts
        {"Section", "; speed", ""},         // comments are no keys
        {"Other", "speed", "99"},
        {"Last", "cr", "only"},             // lone CR line breaks
        {"Last", "eof", "no line break"},
        {"Section", "loose", ""},           // lines before the first section belong to none
        {"Missing", "speed", ""},
        {"Section", "missing", ""},
        {"", "speed", ""},
        {"Section", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Get(kHandWritten, c.section, c.key), c.expected) << c.section << "/" << c.key;
    }
}

TEST(ProfileGetValue, ReadsWhatThePlatformWrites) {
    // Shift-JIS keys and a Shift-JIS path, CRLF, no blanks.
    const std::string file =
        "[Section]\r\n\x89\xF1\x93\x5D\x82\xCC\x91\xAC\x82\xB3= 12\r\nBGM\xCC\xA7\xB2\xD9=C:\\\x89\xB9\x8Ay\\a.mp3\r\n";
    EXPECT_EQ(Get(file, "Section", "\x89\xF1\x93\x5D\x82\xCC\x91\xAC\x82\xB3"), "12");
    EXPECT_EQ(Get(file, "Section", "BGM\xCC\xA7\xB2\xD9"), "C:\\\x89\xB9\x8Ay\\a.mp3");
}

TEST(ProfileGetValue, SkipsAUtf8ByteOrderMarkAndOddBlanks) {
    EXPECT_EQ(Get("\xEF\xBB\xBF[Section]\r\nk=1\r\n", "Section", "k"), "1");
    EXPECT_EQ(Get("[Section]\r\nk=1\x1A", "Section", "k"), "1");
    EXPECT_EQ(Get("[Section]\r\n\v k \f= \t1\t\r\n", "Section", "k"), "1");
}

TEST(ProfileGetValue, FoldsCaseOnlyOnSingleByteCharacters) {
    // 0x83 0x41 and 0x83 0x61 are two different katakana whose second bytes are 'A' and 'a'.
    const std::string file = "[S]\r\n\x83\x61=other\r\nx\x83\x41=mine\r\n";
    EXPECT_EQ(Get(file, "s", "\x83\x41"), "");
    EXPECT_EQ(Get(file, "S", "X\x83\x41"), "mine");
    EXPECT_EQ(Get(file, "S", "\x83\x41", IsNeverLeadByte), "other");  // a single-byte code page folds them
}

TEST(ProfileGetValue, ASecondByteBracketDoesNotCloseASectionHeader) {
    // 0x93 0x5D is one character whose second byte is ']'.
    const std::string file = "[A]\r\n[\x93\x5D\r\nk=1\r\n[\x93\x5D]\r\nk=2\r\n";
    EXPECT_EQ(Get(file, "A", "k"), "1");
    EXPECT_EQ(Get(file, "\x93\x5D", "k"), "2");
    EXPECT_EQ(Get(file, "\x93", "k", IsNeverLeadByte), "1");
}

TEST(ProfileGetValue, CutsLongValuesAt255BytesWithoutHalfCharacters) {
    const std::string ascii(300, 'a');
    EXPECT_EQ(Get("[S]\r\nk=" + ascii + "\r\n", "S", "k"), std::string(255, 'a'));
    EXPECT_EQ(Get("[S]\r\nk=" + std::string(255, 'a') + "\r\n", "S", "k"), std::string(255, 'a'));

    // A double-byte character across the cut is dropped whole.
    const std::string across = std::string(254, 'a') + "\x82\xA0" + "zz";
    EXPECT_EQ(Get("[S]\r\nk=" + across + "\r\n", "S", "k"), std::string(254, 'a'));
    // Ending exactly at the cut, it stays.
    const std::string fits = std::string(253, 'a') + "\x82\xA0" + "zz";
    EXPECT_EQ(Get("[S]\r\nk=" + fits + "\r\n", "S", "k"), std::string(253, 'a') + "\x82\xA0");
    // Counted from the start: 127 double-byte characters then one across the cut.
    std::string kana;
    for (int i = 0; i < 130; ++i) kana += "\x82\xA0";
    std::string line = "[S]\r\nk=a";
    line.append(kana).append("\r\n");
    EXPECT_EQ(Get(line, "S", "k"), std::string("a").append(kana, 0, 254));
    // A single-byte code page has nothing to drop.
    EXPECT_EQ(Get("[S]\r\nk=" + across + "\r\n", "S", "k", IsNeverLeadByte).size(), 255u);
}

TEST(ProfileSetValue, CreatesTheSectionAndAddsKeysInOrder) {
    std::string file = Set("", "Section", "a", " 12");
    EXPECT_EQ(file, "[Section]\r\na= 12\r\n");
    file = Set(file, "Section", "b", "");
    EXPECT_EQ(file, "[Section]\r\na= 12\r\nb=\r\n");
    EXPECT_EQ(Get(file, "Section", "a"), "12");
}

TEST(ProfileSetValue, ReplacesAKeyInPlaceAndKeepsEveryOtherByte) {
    const std::string before = "; top\n[Other]\nk=keep\n\n[Section]\n a = 1 \nk=old\nz=9\n[Tail]\nk=t";
    EXPECT_EQ(Set(before, "section", "K", "new"),
              "; top\n[Other]\nk=keep\n\n[Section]\n a = 1 \nK=new\r\nz=9\n[Tail]\nk=t");
    // Of duplicates the one that is read is the one replaced.
    EXPECT_EQ(Set("[S]\r\nk=1\r\nk=2\r\n", "S", "k", "3"), "[S]\r\nk=3\r\nk=2\r\n");
    // A key without '=' takes the value.
    EXPECT_EQ(Set("[S]\r\nk\r\n", "S", "k", "3"), "[S]\r\nk=3\r\n");
}

TEST(ProfileSetValue, AddsANewKeyAfterTheLastEntryOfItsSection) {
    EXPECT_EQ(Set("[S]\r\na=1\r\n\r\n; next\r\n[T]\r\n", "S", "b", "2"), "[S]\r\na=1\r\nb=2\r\n\r\n; next\r\n[T]\r\n");
    EXPECT_EQ(Set("[S]\r\n\r\n[T]\r\n", "S", "b", "2"), "[S]\r\nb=2\r\n\r\n[T]\r\n");
    // Only the first section of the name takes it.
    EXPECT_EQ(Set("[S]\r\n[S]\r\nb=1\r\n", "S", "b", "2"), "[S]\r\nb=2\r\n[S]\r\nb=1\r\n");
}

TEST(ProfileSetValue, EndsAnUnfinishedLastLineBeforeAddingOne) {
    EXPECT_EQ(Set("[S]", "S", "b", "2"), "[S]\r\nb=2\r\n");
    EXPECT_EQ(Set("[S]\na=1", "S", "b", "2"), "[S]\na=1\r\nb=2\r\n");
    EXPECT_EQ(Set("[T]\nx=1", "S", "b", "2"), "[T]\nx=1\r\n[S]\r\nb=2\r\n");
    EXPECT_EQ(Set("[T]\nx=1\n", "S", "b", "2"), "[T]\nx=1\n[S]\r\nb=2\r\n");
}

TEST(ProfileSetValue, ValuesCannotBreakTheFileApart) {
    // A line break in a value would otherwise plant keys of its own.
    EXPECT_EQ(Set("", "S", "k", "a\r\n[S]\r\nx=1"), "[S]\r\nk=a\r\n");
    EXPECT_EQ(Set("", "S", "k", std::string("a\0b", 3)), "[S]\r\nk=a\r\n");
    // Names the file could not hold leave it as it was.
    for (const char* section : {"", "  ", "a]b", "a\nb"}) EXPECT_EQ(Set("[S]\r\n", section, "k", "v"), "[S]\r\n") << section;
    for (const char* key : {"", "a=b", "[k", ";k", "a\rb"}) EXPECT_EQ(Set("[S]\r\n", "S", key, "v"), "[S]\r\n") << key;
}

TEST(ProfileSetValue, WhatIsWrittenIsReadBack) {
    const std::vector<std::string> values = {" 12", "-3", "", "C:\\\x89\xB9\x8Ay\\\x83\x41.mp3", std::string(255, 'x'),
                                             "a = b", "[x]"};
    for (const std::string& value : values) {
        std::string file = Set(kHandWritten, "Section", "Kind", value);
        file = Set(file, "New", "k", value);
        std::string trimmed = value;
        while (!trimmed.empty() && trimmed.front() == ' ') trimmed.erase(0, 1);
        EXPECT_EQ(Get(file, "Section", "kind"), trimmed);
        EXPECT_EQ(Get(file, "New", "k"), trimmed);
        EXPECT_EQ(Get(file, "Other", "speed"), "99");
        EXPECT_EQ(Get(file, "Last", "eof"), "no line break");
    }
}

// An in-memory folder whose operations can be made to fail.
class MemoryStore : public ProfileFileStore {
public:
    std::map<std::string, std::string> files;
    std::vector<std::string> unreadable;
    bool failWrite = false;
    bool failWriteAfterCreating = false;
    bool failReplace = false;
    std::vector<std::string> calls;

    ReadResult ReadAll(const std::string& path) override {
        calls.push_back("read " + path);
        for (const std::string& p : unreadable) {
            if (p == path) return {ReadStatus::Failed, {}};
        }
        auto it = files.find(path);
        if (it == files.end()) return {ReadStatus::Missing, {}};
        return {ReadStatus::Ok, it->second};
    }
    bool WriteNew(const std::string& path, std::string_view bytes) override {
        calls.push_back("write " + path);
        if (failWrite) return false;
        if (failWriteAfterCreating) {
            files[path] = std::string(bytes.substr(0, bytes.size() / 2));
            return false;
        }
        files[path] = std::string(bytes);
        return true;
    }
    bool Replace(const std::string& from, const std::string& to) override {
        calls.push_back("replace " + from + " " + to);
        if (failReplace) return false;
        files[to] = files[from];
        files.erase(from);
        return true;
    }
    void Remove(const std::string& path) override {
        calls.push_back("remove " + path);
        files.erase(path);
    }
};

const std::string kPath = "C:\\Saver\\Spindlewave.ini";
const std::string kOld = "[Section]\r\nk=old\r\n";

TEST(WriteProfileValue, GoesThroughATemporaryFileBeside) {
    MemoryStore store;
    EXPECT_TRUE(WriteProfileValue(store, kPath, "Section", "k", " 1", IsShiftJisLeadByte));
    EXPECT_EQ(store.files, (std::map<std::string, std::string>{{kPath, "[Section]\r\nk= 1\r\n"}}));
    EXPECT_EQ(store.calls, (std::vector<std::string>{"read " + kPath, "write " + kPath + ".tmp",
                                                     "replace " + kPath + ".tmp " + kPath}));
    EXPECT_EQ(ReadProfileValue(store, kPath, "Section", "k", IsShiftJisLeadByte), "1");
}

TEST(WriteProfileValue, AFailureLeavesTheOldFileAndNoTemporaryOne) {
    struct Fault {
        const char* name;
        bool write, writeAfterCreating, replace;
    } faults[] = {{"write", true, false, false}, {"half write", false, true, false}, {"replace", false, false, true}};
    for (const Fault& fault : faults) {
        MemoryStore store;
        store.files[kPath] = kOld;
        store.failWrite = fault.write;
        store.failWriteAfterCreating = fault.writeAfterCreating;
        store.failReplace = fault.replace;
        EXPECT_FALSE(WriteProfileValue(store, kPath, "Section", "k", "new", IsShiftJisLeadByte)) << fault.name;
        EXPECT_EQ(store.files, (std::map<std::string, std::string>{{kPath, kOld}})) << fault.name;
        EXPECT_EQ(store.calls.back(), "remove " + kPath + ".tmp") << fault.name;
    }
}

TEST(WriteProfileValue, LeavesAFileItCannotReadAlone) {
    MemoryStore store;
    store.files[kPath] = kOld;
    store.unreadable = {kPath};
    EXPECT_FALSE(WriteProfileValue(store, kPath, "Section", "k", "new", IsShiftJisLeadByte));
    EXPECT_EQ(store.calls, (std::vector<std::string>{"read " + kPath}));
    EXPECT_EQ(ReadProfileValue(store, kPath, "Section", "k", IsShiftJisLeadByte), "");
    store.unreadable.clear();
    EXPECT_EQ(ReadProfileValue(store, kPath, "Section", "k", IsShiftJisLeadByte), "old");
}

TEST(WriteProfileValue, RefusesNamesWithoutTouchingTheFile) {
    MemoryStore store;
    EXPECT_FALSE(WriteProfileValue(store, kPath, "Section", "a=b", "v", IsShiftJisLeadByte));
    EXPECT_TRUE(store.calls.empty());
}

}  // namespace
}  // namespace spindle
