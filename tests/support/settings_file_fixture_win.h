// The settings file beside a saver for the end-to-end tests: kept aside, written, read back, and
// the user's own file put back afterwards.
#pragma once

#include <optional>
#include <string>

namespace spindle::test {

std::optional<std::string> ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::string& bytes);

// Text in the system's ANSI code page, as the saver stores a path.
std::string AnsiText(const std::wstring& text);

// The whole file as the settings dialog leaves a fresh one: the section, then the four keys in order.
std::string SettingsFileBytes(const std::string& speed, const std::string& kind, const std::string& repeat,
                              const std::string& file);

// Keeps aside the settings file in `folder` (the saver under test's by default) and removes it;
// at the end puts the kept file back, or leaves none.
class SettingsFileFixture {
public:
    explicit SettingsFileFixture(const std::wstring& folder = {});
    ~SettingsFileFixture();
    SettingsFileFixture(const SettingsFileFixture&) = delete;
    SettingsFileFixture& operator=(const SettingsFileFixture&) = delete;

    void Write(const std::string& speed, const std::string& kind, const std::string& repeat,
               const std::string& file) const {
        WriteBytes(SettingsFileBytes(speed, kind, repeat, file));
    }
    void WriteBytes(const std::string& bytes) const;
    std::optional<std::string> Read() const { return ReadFileBytes(path_); }

private:
    void Remove() const;
    std::wstring path_;
    std::optional<std::string> kept_;
};

}  // namespace spindle::test
