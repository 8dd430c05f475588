// libFuzzer entry: any bytes as a settings file. Reading and LoadSettings must return, and a
// written value must read back while another section's value stays as it was.
#include <cstddef>
#include <cstdint>
#include <string>

#include "startup/private_profile.h"
#include "startup/settings_file.h"
#include "startup/settings_keys.h"

namespace {

using namespace spindle;

class ContentReader : public SettingsReaderPort {
public:
    explicit ContentReader(const std::string& content) : content_(content) {}
    std::string ReadIniString(std::string_view section, std::string_view key, std::string_view) override {
        return ProfileGetValue(content_, *KnownShiftJisName(section), *KnownShiftJisName(key), IsShiftJisLeadByte);
    }

private:
    const std::string& content_;
};

class AnyFileExists : public FileProbePort {
public:
    bool FileExists(std::string_view path) override { return path.size() % 2 == 0; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string content(reinterpret_cast<const char*>(data), size);
    for (LeadBytePredicate lead : {&IsShiftJisLeadByte, &IsNeverLeadByte}) {
        for (const SettingsKey& key : kSettingsKeys) {
            if (ProfileGetValue(content, kSettingsSection.shiftJis, key.shiftJis, lead).size() > kProfileValueLimit) {
                __builtin_trap();
            }
        }
        const std::string other = ProfileGetValue(content, "Other", "k", lead);
        std::string written = ProfileSetValue(content, kSettingsSection.shiftJis, kBgmFileKey.shiftJis, "C:\\a b.mp3", lead);
        if (ProfileGetValue(written, kSettingsSection.shiftJis, kBgmFileKey.shiftJis, lead) != "C:\\a b.mp3") __builtin_trap();
        if (ProfileGetValue(written, "Other", "k", lead) != other) __builtin_trap();
    }
    ContentReader reader(content);
    AnyFileExists probe;
    SettingsValues values;
    LoadSettings(values, reader, probe, "file");
    if (values.BgmKind == 2 && values.BgmFile.empty()) __builtin_trap();
    return 0;
}
