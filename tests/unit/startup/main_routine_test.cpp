// Main: the single-instance test, the dispatch on the mode letter and what each branch does, in
// order; and the argument text after the program path.
#include "startup/main_routine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/settings_values.h"
#include "startup/command_line.h"

namespace spindle {
namespace {

using Calls = std::vector<std::string>;

struct RecordingStartup : StartupPort {
    std::string existingCaption;
    Calls calls;
    bool WindowWithCaptionExists(std::string_view caption) override {
        calls.push_back("find " + std::string(caption));
        return caption == existingCaption;
    }
    std::int32_t ShowCursor(std::int32_t show) override { return calls.push_back("cursor " + std::to_string(show)), -1; }
    void SetSystemParameter(std::uint32_t action, std::uint32_t uiParam) override {
        calls.push_back("spi " + std::to_string(action) + " " + std::to_string(uiParam));
    }
    void LoadSettings() override { calls.push_back("settings"); }
    void StartPreview(std::int32_t hostHandle) override { calls.push_back("preview " + std::to_string(hostHandle)); }
    void ShowSettingsDialog() override { calls.push_back("dialog"); }
    void LoadSaverForm() override { calls.push_back("saver"); }
    void EndProcess() override { calls.push_back("end"); }
};

Calls RunMain(std::string_view argumentText, std::string existing = "") {
    RecordingStartup platform;
    platform.existingCaption = std::move(existing);
    CursorState = 0;
    Main(argumentText, platform);
    return platform.calls;
}

Calls Join(const Calls& calls) {  // after both searches
    Calls all = {"find Spindlewave_Main", "find Spindlewave_Setting"};
    return all.insert(all.end(), calls.begin(), calls.end()), all;
}

TEST(Main, DispatchesOnTheModeLetterAfterBothSearches) {
    const Calls saver = {"settings", "cursor 0", "spi 97 4294967295", "saver"};
    const std::pair<const char*, Calls> cases[] = {
        {"/s", saver}, {"-S", saver}, {"xs whatever", saver},
        {"", {"settings", "saver"}},  // by hand: cursor and system untouched
        {"/c", {"settings", "dialog", "end"}}, {"/c:1234", {"settings", "dialog", "end"}},
        {"/p 1234", {"preview 1234"}},     // no settings read
        {"/p  12 34x", {"preview 1234"}},  // read from the fourth character on
        {"/p", {"preview 0"}},
        // Unsigned handles are the same 32 bits; beyond 32 bits no handle names a window.
        {"/p 2147483648", {"preview -2147483648"}}, {"/p 2147483647.5", {"preview -2147483648"}},
        {"/p 4294967295", {"preview -1"}}, {"/p 4294967295.5", {"end"}}, {"/p 4294967296", {"end"}},
        {"/p -2147483649", {"end"}},
        {"s", {"settings", "end"}},  // text without a mode letter: refused
    };
    for (const auto& [text, calls] : cases) {
        EXPECT_EQ(RunMain(text), Join(calls)) << text;
        EXPECT_EQ(CursorState, calls == saver ? -1 : 0) << text;
    }
}

TEST(Main, FirstCopyRefusesEveryStartButBothSearchesAreMade) {
    for (const char* caption : {"Spindlewave_Main", "Spindlewave_Setting"})
        for (const char* text : {"/s", "", "/c", "/p 1234"}) EXPECT_EQ(RunMain(text, caption), Join({"end"})) << text;
    EXPECT_EQ(RunMain("/s", "Preview Window").back(), "saver");
}

TEST(ArgumentText, FollowsTheProgramPathQuotedOrNot) {
    const std::pair<const char*, const char*> cases[] = {
        {R"("C:\Program Files\Spindlewave.scr"   /p 1234)", "/p 1234"}, {R"("C:\x y\Spindlewave.scr"/c:55)", "/c:55"},
        {"Spindlewave.scr\t \t-s  ", "-s  "}, {R"("C:\Spindlewave.scr")", ""}, {"Spindlewave.scr    ", ""},
        {R"("unterminated /s)", ""}, {"", ""},
    };
    for (const auto& [line, text] : cases) EXPECT_EQ(ArgumentText(line), text) << line;
}

}  // namespace
}  // namespace spindle
