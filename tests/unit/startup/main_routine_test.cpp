// Main: the single-instance test, the dispatch on the mode letter and what each branch does, in order.
#include "startup/main_routine.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "settings/settings_values.h"

namespace spindle {
namespace {

struct RecordingStartup : StartupPort {
    std::set<std::string> existingCaptions;
    std::vector<std::string> calls;

    void Note(std::string call) { calls.push_back(std::move(call)); }
    bool WindowWithCaptionExists(std::string_view caption) override {
        Note("find " + std::string(caption));
        return existingCaptions.count(std::string(caption)) > 0;
    }
    std::int32_t ShowCursor(std::int32_t show) override { return Note("cursor " + std::to_string(show)), -1; }
    void SetSystemParameter(std::uint32_t action, std::uint32_t uiParam) override {
        Note("spi " + std::to_string(action) + " " + std::to_string(uiParam));
    }
    void LoadSettings() override { Note("settings"); }
    void StartPreview(std::int32_t hostHandle) override { Note("preview " + std::to_string(hostHandle)); }
    void ShowSettingsDialog() override { Note("dialog"); }
    void LoadSaverForm() override { Note("saver"); }
    void EndProcess() override { Note("end"); }
};

using Calls = std::vector<std::string>;
const std::string kFindSaver = "find Spindlewave_Main";
const std::string kFindSettings = "find Spindlewave_Setting";

Calls RunMain(std::string_view argumentText, std::set<std::string> existing = {}) {
    RecordingStartup platform;
    platform.existingCaptions = std::move(existing);
    CursorState = 0;
    Main(argumentText, platform);
    return platform.calls;
}

TEST(Main, DispatchesOnTheModeLetterAfterBothSearches) {
    const Calls saver = {"settings", "cursor 0", "spi 97 4294967295", "saver"};
    const std::pair<const char*, Calls> cases[] = {
        {"/s", saver},
        {"", {"settings", "saver"}},  // by hand: cursor and system untouched
        {"/c", {"settings", "dialog", "end"}},
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
        Calls expected = {kFindSaver, kFindSettings};
        expected.insert(expected.end(), calls.begin(), calls.end());
        EXPECT_EQ(RunMain(text), expected) << text;
        EXPECT_EQ(CursorState, calls == saver ? -1 : 0) << text;
    }
}

TEST(Main, FirstCopyRefusesEveryStartButBothSearchesAreMade) {
    for (const char* caption : {"Spindlewave_Main", "Spindlewave_Setting"}) {
        for (const char* text : {"/s", "", "/c", "/p 1234"}) {
            EXPECT_EQ(RunMain(text, {caption}), (Calls{kFindSaver, kFindSettings, "end"})) << caption << text;
        }
    }
    EXPECT_EQ(RunMain("/s", {"Preview Window"}).back(), "saver");
}

}  // namespace
}  // namespace spindle
