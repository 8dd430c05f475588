// The display's power broadcasts as the system sends them.
#include "saver/display_power_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

namespace spindle {
namespace {

constexpr GUID kConsoleDisplayState = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
constexpr GUID kMonitorPowerOn = {0x02731015, 0x4510, 0x4526, {0x99, 0xe6, 0xe5, 0xa1, 0x7e, 0xbd, 0x1a, 0xea}};
constexpr GUID kAwayMode = {0x98a7f580, 0x01f7, 0x48aa, {0x9c, 0x0f, 0x44, 0x35, 0x2c, 0x29, 0xe5, 0xc0}};

TEST(DisplayPowerBroadcast, TheDisplayStateOrTheMonitorPowerOtherwiseNothing) {
    using Power = std::optional<DisplayPower>;
    const std::tuple<WPARAM, GUID, DWORD, DWORD, Power> cases[] = {
        {PBT_POWERSETTINGCHANGE, kConsoleDisplayState, 4, 0, DisplayPower::Off},
        {PBT_POWERSETTINGCHANGE, kConsoleDisplayState, 4, 1, DisplayPower::On},
        {PBT_POWERSETTINGCHANGE, kConsoleDisplayState, 4, 2, DisplayPower::Dimmed},
        {PBT_POWERSETTINGCHANGE, kConsoleDisplayState, 4, 3, std::nullopt},
        {PBT_POWERSETTINGCHANGE, kConsoleDisplayState, 2, 0, std::nullopt},  // too short for a state
        {PBT_POWERSETTINGCHANGE, kMonitorPowerOn, 4, 0, DisplayPower::Off},
        {PBT_POWERSETTINGCHANGE, kMonitorPowerOn, 4, 1, DisplayPower::On},
        {PBT_POWERSETTINGCHANGE, kMonitorPowerOn, 4, 7, DisplayPower::On},
        {PBT_POWERSETTINGCHANGE, kAwayMode, 4, 0, std::nullopt},
        {PBT_APMRESUMEAUTOMATIC, kConsoleDisplayState, 4, 0, std::nullopt},
    };
    for (const auto& [kind, guid, length, value, power] : cases) {
        POWERBROADCAST_SETTING setting{};
        setting.PowerSetting = guid;
        setting.DataLength = length;
        // The 32-bit state runs past the structure's one declared byte of data, as the system sends it.
        alignas(POWERBROADCAST_SETTING) unsigned char bytes[sizeof setting + sizeof value]{};
        std::memcpy(bytes, &setting, sizeof setting);
        std::memcpy(bytes + offsetof(POWERBROADCAST_SETTING, Data), &value, sizeof value);
        EXPECT_EQ(DisplayPowerOfBroadcast(kind, reinterpret_cast<LPARAM>(bytes)), power) << kind << " " << value;
    }
    EXPECT_EQ(DisplayPowerOfBroadcast(PBT_POWERSETTINGCHANGE, 0), std::nullopt);
}

}  // namespace
}  // namespace spindle
