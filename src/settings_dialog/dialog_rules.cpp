// The settings dialog's rules.
#include "settings_dialog/dialog_rules.h"

#include <cmath>
#include <cstdio>
#include <optional>

#include "runtime/conversions.h"

namespace spindle {

std::string RepeatText(std::int64_t bgmRepeat) { return FormatHashHash(bgmRepeat); }

std::vector<std::string> RepeatListEntries() {
    std::vector<std::string> entries;
    for (int i = 0; i <= 30; ++i) entries.push_back(FormatHashHash(i));
    return entries;
}

std::string SpeedCaption(float speed) {
    // The settings loader keeps the speed whole; anything else shows as the runtime prints a
    // single-precision number (seven significant digits).
    if (std::isfinite(speed) && speed == std::floor(speed) && std::fabs(speed) < 1e7f) {
        return std::to_string(static_cast<long long>(speed));
    }
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.7G", static_cast<double>(speed));
    return buffer;
}

std::string SaveText(std::int64_t value) { return NumberToText(value); }

std::int16_t RepeatFromText(std::string_view text, char decimalSeparator) {
    const std::optional<double> number = TextToNumber(text, decimalSeparator);
    if (!number) return 0;
    return RoundToInt16(*number);
}

std::optional<std::string> SaveFailureMessage(WriteOutcome outcome) {
    // Half-width katakana, as in the dialog's own captions (ｷｬﾝｾﾙ, ﾌｧｲﾙを選択).
    const char* why = "設定ﾌｧｲﾙ (Spindlewave.ini) に書き込めませんでした。";  // and where nothing took it
    switch (outcome) {
        case WriteOutcome::Written:
            return std::nullopt;
        case WriteOutcome::InUse:
            why = "設定ﾌｧｲﾙ (Spindlewave.ini) がほかのﾌﾟﾛｸﾞﾗﾑで使用中です。\n"
                  "そのﾌﾟﾛｸﾞﾗﾑを閉じてから、もう一度「設定」を押してください。";
            break;
        case WriteOutcome::DiskFull:
            why = "ﾃﾞｨｽｸがいっぱいです。\n空きを作ってから、もう一度「設定」を押してください。";
            break;
        case WriteOutcome::Refused:  // not even the user's own copy took it
        case WriteOutcome::Failed:
            break;
    }
    return std::string("設定を保存できませんでした。\n\n") + why;
}

DialogPosition DialogPlacement(double screenWidth, double screenHeight, double dialogWidth, double dialogHeight) {
    return DialogPosition{RoundToInt32(screenWidth - dialogWidth) / 2, RoundToInt32(screenHeight - dialogHeight) / 3};
}

int ShadeLevel(int y, int interiorHeight) {
    const double k = interiorHeight / 3.142;
    return RoundToInt32(std::fabs(220.0 * std::sin(y / k)));
}

ShadeColour ShadeColourFor(ShadedSurface surface, int level) {
    const auto v = static_cast<std::uint8_t>(level);
    const auto lifted = static_cast<std::uint8_t>(level + 30);
    if (surface == ShadedSurface::Form) return ShadeColour{v, v, lifted};
    return ShadeColour{lifted, lifted, lifted};
}

std::vector<ShadeColour> ShadingLines(ShadedSurface surface, int interiorHeight) {
    std::vector<ShadeColour> lines;
    // Without height the divisor is zero and no row can be computed.
    if (interiorHeight <= 0) return lines;
    const int n = RoundToInt16(interiorHeight);
    for (int y = 0; y <= n; ++y) lines.push_back(ShadeColourFor(surface, ShadeLevel(y, interiorHeight)));
    return lines;
}

}  // namespace spindle
