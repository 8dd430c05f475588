// The settings file on real files, run under code page 932 and 1252.
#include "settings/settings_file_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "runtime/wide_text_win.h"
#include "settings/profile_file_store_win.h"
#include "settings/settings_keys.h"
#include "settings/settings_place.h"
#include "support/settings_file_fixture_win.h"

namespace spindle {
namespace {

namespace fs = std::filesystem;
const std::string kSection(kSettingsSection.name);

class SettingsFileWin : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(dir_); }
    void TearDown() override { std::error_code ignored; fs::remove_all(dir_, ignored); }
    std::string Path(const std::wstring& name) const { return WideToUtf8((dir_ / name).wstring()); }
    std::string Bytes() const { return test::ReadFileBytes(iniW_).value_or("(none)"); }

    const fs::path dir_ = fs::temp_directory_path() / ("spindle-settings-" + std::to_string(GetCurrentProcessId()));
    const std::wstring iniW_ = (dir_ / L"Spindlewave.ini").wstring();
    const std::string ini_ = WideToUtf8(iniW_), old_ = "[Section]\r\nBGM\x8B\xE6\x95\xAA= 12\r\n";
};

TEST_F(SettingsFileWin, AFullSaveIsWhatThePlatformReads) {
    ASSERT_STREQ(std::to_string(GetACP()).c_str(), std::getenv("SPINDLE_EXPECT_ACP"));
    // A path each code page holds, and its bytes there; the keys are Shift-JIS on either.
    const bool japanese = GetACP() == 932;
    const std::string music = japanese ? "C:\\音楽\\曲.mp3" : "C:\\Música\\canción.mp3";
    const std::string musicBytes = japanese ? "C:\\\x89\xB9\x8A\x79\\\x8B\xC8.mp3" : "C:\\M\xFAsica\\canci\xF3n.mp3";
    const std::string values[] = {" 25", " 2", " 12", music};
    const std::string keys = "[Section]\r\n\x89\xF1\x93\x5D\x82\xCC\x91\xAC\x82\xB3= 25\r\nBGM\x8B\xE6\x95\xAA= 2\r\n"
                             "BGM\xD8\xCB\xDF\xB0\xC4= 12\r\nBGM\xCC\xA7\xB2\xD9=";
    for (std::size_t i = 0; i < 4; ++i) WriteIniString(kSection, kSettingsKeys[i].name, values[i], ini_);
    EXPECT_EQ(Bytes(), keys + musicBytes + "\r\n");
    for (std::size_t i = 0; i < 4; ++i) {
        const std::string trimmed = values[i].substr(values[i][0] == ' '), key(kSettingsKeys[i].shiftJis);
        char platform[256] = {};
        GetPrivateProfileStringA("Section", key.c_str(), "", platform, 256, test::AnsiText(iniW_).c_str());
        EXPECT_EQ(platform, test::AnsiText(Utf8ToWide(trimmed))) << i;
        EXPECT_EQ(ReadIniString(kSection, kSettingsKeys[i].name, ini_), trimmed) << i;
    }
}

TEST_F(SettingsFileWin, WithoutATemporaryFileTheFileIsWrittenInPlaceUnlessItIsHeldOrLocked) {
    test::WriteFileBytes(iniW_, old_);
    fs::create_directory(dir_ / L"Spindlewave.ini.tmp");  // the temporary file cannot be made
    WriteIniString(kSection, kBgmKindKey.name, " 2", ini_);
    EXPECT_EQ(Bytes(), "[Section]\r\nBGM\x8B\xE6\x95\xAA= 2\r\n");  // shorter: nothing of the old left
    fs::remove(dir_ / L"Spindlewave.ini.tmp");
    test::WriteFileBytes(iniW_, old_);
    // Held open without shared writing, or locked against reading too: told as in use, left as it was.
    Win32ProfileStore store;
    const std::string key(kBgmKindKey.shiftJis);
    for (DWORD share : {DWORD{FILE_SHARE_READ}, DWORD{0}}) {
        HANDLE holder = CreateFileW(iniW_.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(holder, INVALID_HANDLE_VALUE);
        WriteIniString(kSection, kBgmKindKey.name, " 2", ini_);
        EXPECT_EQ(WriteProfileValue(store, ini_, "Section", key, " 2", IsShiftJisLeadByte), WriteOutcome::InUse);
        EXPECT_EQ(ReadIniString(kSection, kBgmKindKey.name, ini_), share ? "12" : "");
        CloseHandle(holder);
        EXPECT_EQ(Bytes(), old_) << share;
        EXPECT_FALSE(fs::exists(dir_ / L"Spindlewave.ini.tmp")) << share;
    }
}

TEST_F(SettingsFileWin, AReadOnlyFileSendsTheSettingsToTheUsersOwnCopy) {
    Win32ProfileStore store;
    const std::string own = Path(L"own\\Spindlewave.ini");
    EXPECT_TRUE(store.CanWrite(ini_));  // not there yet, and the probe leaves nothing behind
    EXPECT_TRUE(fs::is_empty(dir_));
    test::WriteFileBytes(iniW_, old_);
    EXPECT_TRUE(store.CanWrite(ini_));
    SetFileAttributesW(iniW_.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(store.CanWrite(ini_));
    EXPECT_FALSE(store.CanWrite(Path(L"")));  // a folder is no file
    EXPECT_EQ(SettingsFileToRead(store, {ini_, own}), ini_);  // no copy of its own, not even its folder
    const std::vector<ProfileEntry> kind = {{std::string(kBgmKindKey.shiftJis), " 2"}};
    EXPECT_EQ(WriteSettingsValues(store, {ini_, own}, "Section", kind, IsShiftJisLeadByte), WriteOutcome::Written);
    EXPECT_EQ(Bytes(), old_);
    EXPECT_EQ(SettingsFileToRead(store, {ini_, own}), own);
    EXPECT_EQ(ReadIniString(kSection, kBgmKindKey.name, own), "2");
    SetFileAttributesW(iniW_.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(SettingsFileWin, APathTheCodePageCannotHoldIsStoredShortOrNotAtAll) {
    const std::wstring song = L"Ωμέγα曲.mp3";  // Greek and kana: neither code page holds both
    test::WriteFileBytes((dir_ / song).wstring(), "ID3");
    WriteIniString(kSection, kBgmFileKey.name, "C:\\old.mp3", ini_);
    WriteIniString(kSection, kBgmFileKey.name, Path(song), ini_);
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = GetShortPathNameW((dir_ / song).c_str(), buffer, MAX_PATH);
    const std::string shortPath = WideToUtf8(std::wstring(buffer, length));
    const bool fits = !shortPath.empty() && shortPath != Path(song) && test::AnsiText(buffer).find('?') == std::string::npos;
    EXPECT_EQ(ReadIniString(kSection, kBgmFileKey.name, ini_), fits ? shortPath : "");
    // No short name: stored empty rather than leaving the old path under the new choice.
    WriteIniString(kSection, kBgmFileKey.name, "C:\\old.mp3", ini_);
    WriteIniString(kSection, kBgmFileKey.name, Path(L"έnone.mp3"), ini_);
    EXPECT_EQ(Bytes(), "[Section]\r\nBGM\xCC\xA7\xB2\xD9=\r\n");
}

}  // namespace
}  // namespace spindle
