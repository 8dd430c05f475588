#include "support/settings_file_fixture_win.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "settings/settings_keys.h"
#include "support/launched_process_win.h"

namespace spindle::test {

std::optional<std::string> ReadFileBytes(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
}

std::string AnsiText(const std::wstring& text) {
    std::string bytes(text.size() * 2, '\0');
    bytes.resize(WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                                     static_cast<int>(bytes.size()), nullptr, nullptr));
    return bytes;
}

std::string SettingsFileBytes(const std::string& speed, const std::string& kind, const std::string& repeat,
                              const std::string& file) {
    std::string text = "[";
    text.append(kSettingsSection.shiftJis).append("]\r\n");
    for (int i = 0; const std::string& value : {speed, kind, repeat, file})
        text.append(kSettingsKeys[i++].shiftJis).append("=").append(value).append("\r\n");
    return text;
}

SettingsFileFixture::SettingsFileFixture(const std::wstring& folder)
    : path_((folder.empty() ? SaverFolder() : folder) + L"\\Spindlewave.ini"), kept_(ReadFileBytes(path_)) {
    Remove();
}

SettingsFileFixture::~SettingsFileFixture() {
    Remove();
    if (kept_) WriteFileBytes(path_, *kept_);
}

void SettingsFileFixture::WriteBytes(const std::string& bytes) const {
    Remove();
    WriteFileBytes(path_, bytes);
}

void SettingsFileFixture::Remove() const {
    SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(path_.c_str());
}

}  // namespace spindle::test
