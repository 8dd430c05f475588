// Timing of the settings file reader: the four keys from a normal file (goal: well under a
// millisecond) and from a 10 MB file (goal: linear time, so about ten times a 1 MB file).
#include <chrono>
#include <cstdio>
#include <string>

#include "settings/private_profile.h"
#include "settings/settings_keys.h"

namespace {

using namespace spindle;
using Clock = std::chrono::steady_clock;

std::string FileOf(std::size_t padding) {
    std::string content = "[Other]\r\n";
    for (int i = 0; content.size() < padding; ++i) content += "key" + std::to_string(i) + "=some value\r\n";
    content += "[Section]\r\n";
    for (const SettingsKey& key : kSettingsKeys) content.append(key.shiftJis).append("= 12\r\n");
    return content;
}

// Microseconds per reading of all four keys.
double ReadFourKeys(const std::string& content, int rounds) {
    std::size_t sink = 0;
    auto start = Clock::now();
    for (int round = 0; round < rounds; ++round) {
        for (const SettingsKey& key : kSettingsKeys) {
            sink += ProfileGetValue(content, kSettingsSection.shiftJis, key.shiftJis, IsShiftJisLeadByte).size();
        }
    }
    std::chrono::duration<double, std::micro> spent = Clock::now() - start;
    if (sink == 0) std::puts("nothing read");
    return spent.count() / rounds;
}

}  // namespace

int main() {
    std::printf("four keys, normal file:   %10.2f us\n", ReadFourKeys(FileOf(0), 10000));
    double oneMb = ReadFourKeys(FileOf(1u << 20), 5);
    double tenMb = ReadFourKeys(FileOf(10u << 20), 5);
    std::printf("four keys, 1 MB file:     %10.2f us\n", oneMb);
    std::printf("four keys, 10 MB file:    %10.2f us  (%.1f times the 1 MB file)\n", tenMb, tenMb / oneMb);
    return 0;
}
