// LoadSettings: the four keys read one by one, each step on its own.
#include "settings/settings_file.h"

#include <cfloat>
#include <cmath>

#include "runtime/conversions.h"
#include "runtime/runtime_error.h"
#include "settings/settings_keys.h"

namespace spindle {
namespace {

// The number in a setting's text, rounded down; a text that is no number fails the step.
double WholeNumber(std::string_view text, char decimalSeparator) {
    std::optional<double> number = TextToNumber(text, decimalSeparator);
    if (!number) throw RuntimeError(RuntimeError::Kind::TypeMismatch, "type mismatch");
    return IntegerPart(*number);
}

float ToSingle(double value) {
    // Outside the float's range the conversion would be undefined; the runtime calls it overflow.
    if (std::fabs(value) > static_cast<double>(FLT_MAX)) throw RuntimeError(RuntimeError::Kind::Overflow, "overflow");
    return static_cast<float>(value);
}

}  // namespace

void LoadSettings(SettingsValues& values, SettingsReaderPort& reader, FileProbePort& probe, std::string_view file,
                  char decimalSeparator) {
    auto read = [&](const SettingsKey& key) { return reader.ReadIniString(kSettingsSection.name, key.name, file); };

    RunStep([&] {
        std::string text = read(kSpeedKey);
        values.RotationSpeed = text.empty() ? 1.0f : ToSingle(WholeNumber(text, decimalSeparator));
    });
    RunStep([&] {
        std::string text = read(kBgmKindKey);
        values.BgmKind = text.empty() ? std::int16_t{0} : RoundToInt16(WholeNumber(text, decimalSeparator));
    });
    RunStep([&] {
        std::string text = read(kBgmRepeatKey);
        values.BgmRepeat = text.empty() ? std::int16_t{0} : RoundToInt16(WholeNumber(text, decimalSeparator));
    });
    RunStep([&] {
        std::string text = read(kBgmFileKey);
        values.BgmFile = text;
        if (!values.BgmFile.empty() && !probe.FileExists(values.BgmFile)) values.BgmFile.clear();
        // A music file that cannot be played falls back to no music.
        if (values.BgmFile.empty() && values.BgmKind == 2) values.BgmKind = 0;
    });
}

std::string SettingsPathBeside(std::string_view programPath) {
    std::size_t slash = programPath.find_last_of('\\');
    std::string path = slash == std::string_view::npos ? std::string() : std::string(programPath.substr(0, slash + 1));
    return path.append(kSettingsFileName);
}

}  // namespace spindle
