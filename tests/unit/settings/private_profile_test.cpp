// The profile engine: reads of hand-written and platform files, how a write changes a file, and
// the one-step replacement with failing file operations.
#include "settings/private_profile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "support/memory_profile_store.h"

namespace spindle {
namespace {

const LeadBytePredicate kSjis = IsShiftJisLeadByte, kSingle = IsNeverLeadByte;

// As a person would leave it in Notepad: mixed line breaks, comments, other sections, odd cases and blanks.
const std::string kHand =
    "; settings\nloose=before any section\r\n[Other]\r\nspeed=99\r\n\r\n  [ section ]  \n; speed=5\n"
    "\tSpeed\t=\t 7 \t\nKind=2\r\nkind=3\r\nempty=\r\nbare\r\nQuoted=\"a b\"\r\nSingle='x'\r\nHalf=\"x\r\n"
    "Nul=ab" + std::string(1, '\0') + "cd\r\n[Section]\r\nlater=not seen\r\n[Last]\rcr=only\reof=no line break";

TEST(ProfileGetValue, FindsTheValueAsWrittenByHandOrByThePlatform) {
    std::string kana;  // after one 'a', the 128th character crosses the cut; each ends in a byte that could lead
    for (int i = 0; i < 130; ++i) kana += "\x82\x9F";
    const std::string a253(253, 'a'), a254(254, 'a');
    // 0x83 0x41 / 0x83 0x61 differ only in a second byte that looks like 'A' / 'a'; 0x93 0x5D ends in ']'.
    const std::string kata = "[S]\r\n\x83\x61=other\r\nx\x83\x41=mine\r\n", bracket = "[A]\r\n[\x93\x5D\r\nk=1\r\n";
    struct Case {
        std::string content, section, key, expected;
        LeadBytePredicate lead;
    } cases[] = {
        {kHand, "Section", "Speed", "7", kSjis}, {kHand, "SECTION", "speed", "7", kSjis},
        {kHand, " Section ", " Speed ", "7", kSjis}, {kHand, "Section", "kind", "2", kSjis},  // the first one wins
        {kHand, "Section", "empty", "", kSjis}, {kHand, "Section", "bare", "", kSjis},
        {kHand, "Section", "quoted", "a b", kSjis}, {kHand, "Section", "single", "x", kSjis},
        {kHand, "Section", "half", "\"x", kSjis}, {kHand, "Section", "nul", "ab", kSjis},
        {kHand, "Section", "later", "", kSjis}, {kHand, "Section", "; speed", "", kSjis},
        {kHand, "Last", "cr", "only", kSjis}, {kHand, "Last", "eof", "no line break", kSjis},
        {kHand, "Section", "loose", "", kSjis}, {kHand, "Section", "missing", "", kSjis},
        {"[Section]\r\n\x89\xF1\x93\x5D\x82\xCC\x91\xAC\x82\xB3= 12\r\nBGM\xCC\xA7\xB2\xD9=C:\\\x89\xB9\x8Ay\\a.mp3\r\n",
         "Section", "BGM\xCC\xA7\xB2\xD9", "C:\\\x89\xB9\x8Ay\\a.mp3", kSjis},
        {"\xEF\xBB\xBF[S]\r\nk=1\r\n", "S", "k", "1", kSjis}, {"[S]\r\n\v k \f= \t1\t\x1A", "S", "k", "1", kSjis},
        {kata, "s", "\x83\x41", "", kSjis}, {kata, "S", "X\x83\x41", "mine", kSjis},
        {kata, "S", "\x83\x41", "other", kSingle}, {bracket, "A", "k", "1", kSjis},
        {bracket + "[\x93\x5D]\r\nk=2\r\n", "\x93\x5D", "k", "2", kSjis}, {bracket, "\x93", "k", "1", kSingle},
        {"[S]\r\nk=" + std::string(300, 'a'), "S", "k", std::string(255, 'a'), kSjis},
        {"[S]\r\nk=" + a254 + "\x82\xA0zz", "S", "k", a254, kSjis},
        {"[S]\r\nk=" + a253 + "\x82\xA0zz", "S", "k", a253 + "\x82\xA0", kSjis},
        {"[S]\r\nk=a" + kana, "S", "k", std::string("a").append(kana, 0, 254), kSjis},
        {"[S]\r\nk=" + a254 + "\x82\xA0zz", "S", "k", a254 + "\x82", kSingle},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ProfileGetValue(c.content, c.section, c.key, c.lead), c.expected) << c.section << "/" << c.key;
    }
}

TEST(ProfileSetValue, ChangesOnlyWhatItMust) {
    struct Case {
        std::string before, section, key, value, after;
    } cases[] = {
        {"", "Section", "a", " 12", "[Section]\r\na= 12\r\n"},
        {"[Section]\r\na= 12\r\n", "Section", "b", "", "[Section]\r\na= 12\r\nb=\r\n"},
        {"; top\n[Other]\nk=keep\n\n[Section]\n a = 1 \nk=old\nz=9\n[Tail]\nk=t", "section", "K", "new",
         "; top\n[Other]\nk=keep\n\n[Section]\n a = 1 \nK=new\r\nz=9\n[Tail]\nk=t"},
        {"[S]\r\nk=1\r\nk=2\r\n", "S", "k", "3", "[S]\r\nk=3\r\nk=2\r\n"}, {"[S]\r\nk\r\n", "S", "k", "3", "[S]\r\nk=3\r\n"},
        {"[S]\r\na=1\r\n\r\n; next\r\n[T]\r\n", "S", "b", "2", "[S]\r\na=1\r\nb=2\r\n\r\n; next\r\n[T]\r\n"},
        {"[S]\r\n[S]\r\nb=1\r\n", "S", "b", "2", "[S]\r\nb=2\r\n[S]\r\nb=1\r\n"},
        {"[S]", "S", "b", "2", "[S]\r\nb=2\r\n"}, {"[S]\na=1", "S", "b", "2", "[S]\na=1\r\nb=2\r\n"},
        {"[S]\ra=1\r", "S", "b", "2", "[S]\ra=1\rb=2\r\n"},
        {"[T]\nx=1", "S", "b", "2", "[T]\nx=1\r\n[S]\r\nb=2\r\n"}, {"[T]\nx=1\n", "S", "b", "2", "[T]\nx=1\n[S]\r\nb=2\r\n"},
        {"", "S", "k", "a\r\n[S]\r\nx=1", "[S]\r\nk=a\r\n"},  // a value cannot plant lines of its own
        {"", "S", "k", std::string("a\0b", 3), "[S]\r\nk=a\r\n"},
        {"", "\x93]", "k", "1", "[\x93]]\r\nk=1\r\n"},  // a ']' that ends a character is no end of the name
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ProfileSetValue(c.before, c.section, c.key, c.value, kSjis), c.after) << c.before << "/" << c.key;
    }
    // Names the file could not hold leave it as it was.
    // A section ending in a lone lead byte would take the header's ']' as its partner.
    const char* names[][2] = {{"", "k"}, {"  ", "k"}, {"a]b", "k"}, {"a\nb", "k"}, {"S\x93", "k"}, {"S\x93 ", "k"},
                              {"S", ""}, {"S", "a=b"}, {"S", "[k"}, {"S", ";k"}, {"S", "a\rb"}};
    for (auto& n : names) EXPECT_EQ(ProfileSetValue("[S]\r\n", n[0], n[1], "v", kSjis), "[S]\r\n") << n[0] << n[1];
}

TEST(WriteProfileValue, ReplacesTheFileInOneStepWritesOverItOrLeavesItAsItWas) {
    const std::string path = "C:\\Saver\\Spindlewave.ini", temp = path + ".tmp";
    const std::string old = "[Section]\r\nk=old\r\n", now = "[Section]\r\nk=new\r\n";
    using W = WriteOutcome;
    using S = test::MemoryProfileStore;
    struct Case {
        S::Fault fault;
        bool fileThere;
        std::string key;
        W outcome;
        std::vector<std::string> calls;
    } cases[] = {
        {S::kNone, true, "k", W::Written, {"read " + path, "new " + temp, "replace " + path}},
        {S::kNone, false, "k", W::Written, {"read " + path, "new " + temp, "replace " + path}},
        // A folder that takes no new file, as the platform's own functions would: in place.
        {S::kNoNewFiles, true, "k", W::Written, {"read " + path, "new " + temp, "over " + path}},
        {S::kNoNewFiles, false, "k", W::Refused, {"read " + path, "new " + temp}},
        {S::kReadOnlyFolder, true, "k", W::Refused, {"read " + path, "new " + temp, "over " + path}},
        {S::kReadOnlyFile, true, "k", W::Refused,
         {"read " + path, "new " + temp, "replace " + path, "remove " + temp, "over " + path}},
        {S::kReplaceFails, true, "k", W::Written,
         {"read " + path, "new " + temp, "replace " + path, "remove " + temp, "over " + path}},
        {S::kWriteBreaks, true, "k", W::Failed, {"read " + path, "new " + temp, "remove " + temp}},
        {S::kReadFails, true, "k", W::Failed, {"read " + path}},  // not replaced by a one-key file
        // Another program holds it: told as such, and no other way is tried.
        {S::kHeld, true, "k", W::InUse,
         {"read " + path, "new " + temp, "replace " + path, "remove " + temp, "over " + path}},
        {S::kLocked, true, "k", W::InUse, {"read " + path}},
        {S::kDiskFull, true, "k", W::DiskFull, {"read " + path, "new " + temp, "remove " + temp}},
        {S::kDiskFull, false, "k", W::DiskFull, {"read " + path, "new " + temp, "remove " + temp}},
        {S::kNone, true, "a=b", W::Failed, {}},
    };
    for (const Case& c : cases) {
        S store;
        store.folders = {"C:\\Saver"};
        if (c.fileThere) store.files[path] = old;
        store.Set(c.fault, path);
        const std::string context = std::to_string(c.fault) + (c.fileThere ? " file" : " none");
        EXPECT_EQ(WriteProfileValue(store, path, "Section", c.key, "new", kSjis), c.outcome) << context;
        std::map<std::string, std::string> after;
        if (c.outcome == W::Written || c.fileThere) after[path] = c.outcome == W::Written ? now : old;
        EXPECT_EQ(store.files, after) << context;
        EXPECT_EQ(store.calls, c.calls) << context;
    }
}

TEST(WriteProfileValues, WritesEveryValueInOneWriteOrNone) {
    const std::string path = "C:\\Saver\\Spindlewave.ini", old = "[Section]\r\nb=old\r\n";
    const std::vector<ProfileEntry> entries = {{"a", "1"}, {"b", "2"}, {"c", "3"}};
    using S = test::MemoryProfileStore;
    for (S::Fault fault : {S::kNone, S::kNoNewFiles, S::kHeld, S::kLocked, S::kDiskFull, S::kWriteBreaks}) {
        S store;
        store.folders = {"C:\\Saver"};
        store.files[path] = old;
        store.Set(fault, path);
        const WriteOutcome outcome = WriteProfileValues(store, path, "Section", entries, kSjis);
        const bool written = fault == S::kNone || fault == S::kNoNewFiles;
        EXPECT_EQ(outcome == WriteOutcome::Written, written) << fault;
        EXPECT_EQ(store.files, (std::map<std::string, std::string>{
                                   {path, written ? "[Section]\r\nb=2\r\na=1\r\nc=3\r\n" : old}}))
            << fault;
        EXPECT_EQ(std::count(store.calls.begin(), store.calls.end(), "read " + path), 1) << fault;
    }
    // One name the file cannot hold: none of the values is written.
    S store;
    store.folders = {"C:\\Saver"};
    EXPECT_EQ(WriteProfileValues(store, path, "Section", {{"a", "1"}, {"[b", "2"}}, kSjis), WriteOutcome::Failed);
    EXPECT_TRUE(store.files.empty() && store.calls.empty());
}

}  // namespace
}  // namespace spindle
