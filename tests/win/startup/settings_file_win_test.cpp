// The settings file with the real file system and code pages: files our writer makes are read
// by the platform's profile functions and the other way round, the bytes on disk, paths the
// code page cannot hold, failing replacements, locked files, and LoadSettings on real files.
// Run once with a Japanese system (code page 932) and once with a Western one (1252).
#include "startup/settings_file_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "runtime/wide_text_win.h"
#include "startup/settings_keys.h"

namespace spindle {
namespace {

const std::string kSection(kSettingsSection.name);

bool Japanese() { return GetACP() == 932; }

// A fresh folder under the temporary folder, removed with everything in it.
class TempFolder {
public:
    explicit TempFolder(const std::wstring& leaf = L"") {
        static int count = 0;
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        path_ = std::wstring(temp) + L"spindle-settings-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(++count) + leaf;
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder() { RemoveTree(path_); }

    std::wstring Wide(const std::wstring& name) const { return path_ + L"\\" + name; }
    std::string Path(const std::wstring& name) const { return WideToUtf8(Wide(name)); }
    std::vector<std::wstring> Names() const {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((path_ + L"\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return names;
        do {
            std::wstring name = found.cFileName;
            if (name != L"." && name != L"..") names.push_back(name);
        } while (FindNextFileW(search, &found));
        FindClose(search);
        return names;
    }

private:
    static void RemoveTree(const std::wstring& folder) {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                std::wstring name = found.cFileName;
                if (name == L"." || name == L"..") continue;
                std::wstring full = folder + L"\\" + name;
                SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    RemoveTree(full);
                } else {
                    DeleteFileW(full.c_str());
                }
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(folder.c_str());
    }

    std::wstring path_;
};

std::string ReadBytes(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<unreadable>";
    std::string bytes(1 << 16, '\0');
    DWORD got = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(file);
    bytes.resize(got);
    return bytes;
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

// The bytes of a UTF-8 text in the system's code page.
std::string Ansi(const std::string& text) {
    std::wstring wide = Utf8ToWide(text);
    if (wide.empty()) return {};
    int length = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), bytes.data(), length, nullptr, nullptr);
    return bytes;
}

std::string PlatformRead(const SettingsKey& key, const std::string& file) {
    char buffer[256] = {};
    GetPrivateProfileStringA(std::string(kSettingsSection.shiftJis).c_str(), std::string(key.shiftJis).c_str(), "",
                             buffer, 256, Ansi(file).c_str());
    return buffer;
}

// A music path each code page holds.
std::string MusicPath() { return Japanese() ? "C:\\音楽\\曲.mp3" : "C:\\Música\\canción.mp3"; }

struct Saved {
    const SettingsKey& key;
    std::string value;
};

std::vector<Saved> FullSave() {
    return {{kSpeedKey, " 25"}, {kBgmKindKey, " 0"}, {kBgmRepeatKey, " 12"}, {kBgmFileKey, MusicPath()}};
}

TEST(SettingsFileWin, RunsUnderTheExpectedCodePage) {
    const char* expected = std::getenv("SPINDLE_EXPECT_ACP");
    ASSERT_NE(expected, nullptr);
    EXPECT_EQ(GetACP(), static_cast<UINT>(std::atoi(expected)));
}

TEST(SettingsFileWin, ThePlatformReadsWhatWeWrite) {
    TempFolder folder;
    const std::string file = folder.Path(L"Spindlewave.ini");
    for (const Saved& saved : FullSave()) WriteIniString(kSection, saved.key.name, saved.value, file);
    for (const Saved& saved : FullSave()) {
        std::string trimmed = saved.value[0] == ' ' ? saved.value.substr(1) : saved.value;
        EXPECT_EQ(PlatformRead(saved.key, file), Ansi(trimmed)) << saved.key.name;
        EXPECT_EQ(ReadIniString(kSection, saved.key.name, file), trimmed) << saved.key.name;
    }
    EXPECT_EQ(folder.Names(), std::vector<std::wstring>{L"Spindlewave.ini"});
}

TEST(SettingsFileWin, WeReadWhatThePlatformWrites) {
    TempFolder folder;
    const std::string file = folder.Path(L"Spindlewave.ini");
    for (const Saved& saved : FullSave()) {
        WritePrivateProfileStringA(std::string(kSettingsSection.shiftJis).c_str(), std::string(saved.key.shiftJis).c_str(),
                                   Ansi(saved.value).c_str(), Ansi(file).c_str());
    }
    for (const Saved& saved : FullSave()) {
        std::string trimmed = saved.value[0] == ' ' ? saved.value.substr(1) : saved.value;
        EXPECT_EQ(ReadIniString(kSection, saved.key.name, file), trimmed) << saved.key.name;
    }
    // And our write into the platform's file keeps the platform reading it.
    WriteIniString(kSection, kBgmRepeatKey.name, " 3", file);
    EXPECT_EQ(PlatformRead(kBgmRepeatKey, file), "3");
    EXPECT_EQ(PlatformRead(kSpeedKey, file), "25");
}

TEST(SettingsFileWin, AFullSaveLeavesTheseBytesOnAJapaneseSystem) {
    if (!Japanese()) GTEST_SKIP() << "code page 932 only";
    TempFolder folder;
    const std::string file = folder.Path(L"Spindlewave.ini");
    for (const Saved& saved : FullSave()) WriteIniString(kSection, saved.key.name, saved.value, file);
    const std::string expected =
        "[Section]\r\n"
        "\x89\xF1\x93\x5D\x82\xCC\x91\xAC\x82\xB3= 25\r\n"
        "BGM\x8B\xE6\x95\xAA= 0\r\n"
        "BGM\xD8\xCB\xDF\xB0\xC4= 12\r\n"
        "BGM\xCC\xA7\xB2\xD9=C:\\\x89\xB9\x8A\x79\\\x8B\xC8.mp3\r\n";
    EXPECT_EQ(ReadBytes(folder.Wide(L"Spindlewave.ini")), expected);

    // A second save replaces in place; an empty path keeps its key.
    WriteIniString(kSection, kSpeedKey.name, " 7", file);
    WriteIniString(kSection, kBgmFileKey.name, "", file);
    EXPECT_EQ(ReadBytes(folder.Wide(L"Spindlewave.ini")),
              "[Section]\r\n"
              "\x89\xF1\x93\x5D\x82\xCC\x91\xAC\x82\xB3= 7\r\n"
              "BGM\x8B\xE6\x95\xAA= 0\r\n"
              "BGM\xD8\xCB\xDF\xB0\xC4= 12\r\n"
              "BGM\xCC\xA7\xB2\xD9=\r\n");
}

TEST(SettingsFileWin, TheKatakanaKeysStayApartOnAnyCodePage) {
    TempFolder folder;
    const std::string file = folder.Path(L"Spindlewave.ini");
    WriteIniString(kSection, kBgmRepeatKey.name, " 12", file);
    WriteIniString(kSection, kBgmFileKey.name, "C:\\a.wav", file);
    EXPECT_EQ(ReadIniString(kSection, kBgmRepeatKey.name, file), "12");
    EXPECT_EQ(ReadIniString(kSection, kBgmFileKey.name, file), "C:\\a.wav");
    EXPECT_EQ(ReadBytes(folder.Wide(L"Spindlewave.ini")),
              "[Section]\r\nBGM\xD8\xCB\xDF\xB0\xC4= 12\r\nBGM\xCC\xA7\xB2\xD9=C:\\a.wav\r\n");
}

TEST(SettingsFileWin, APathTheCodePageCannotHoldIsStoredShortOrNotAtAll) {
    TempFolder folder;
    const std::string file = folder.Path(L"Spindlewave.ini");
    // Greek and kana: neither code page holds both.
    const std::wstring songFolder = folder.Wide(L"Ωμέγα音楽");
    CreateDirectoryW(songFolder.c_str(), nullptr);
    const std::wstring song = songFolder + L"\\曲Ω.mp3";
    WriteBytes(song, "ID3");
    WriteIniString(kSection, kBgmFileKey.name, "C:\\old.mp3", file);

    WriteIniString(kSection, kBgmFileKey.name, WideToUtf8(song), file);
    std::string stored = ReadIniString(kSection, kBgmFileKey.name, file);
    wchar_t shortPath[MAX_PATH] = {};
    DWORD length = GetShortPathNameW(song.c_str(), shortPath, MAX_PATH);
    std::string shortUtf8 = WideToUtf8(std::wstring(shortPath, length));
    if (length > 0 && Ansi(shortUtf8).find('?') == std::string::npos && shortUtf8 != WideToUtf8(song)) {
        EXPECT_EQ(stored, shortUtf8);
        EXPECT_TRUE(FileExists(stored));
    } else {
        EXPECT_EQ(stored, "C:\\old.mp3");
    }

    // No short name for a file that is not there: the old value stays.
    WriteIniString(kSection, kBgmFileKey.name, WideToUtf8(songFolder + L"\\Ωnone.mp3"), file);
    EXPECT_EQ(ReadIniString(kSection, kBgmFileKey.name, file), stored);
}

TEST(SettingsFileWin, AFailedReplacementLeavesTheOldFileAndNoTemporaryOne) {
    TempFolder folder;
    const std::string file = folder.Path(L"Spindlewave.ini");
    const std::string old = "[Section]\r\nBGM\x8B\xE6\x95\xAA= 1\r\n";

    // The temporary file's name is taken by a folder: nothing can be written.
    WriteBytes(folder.Wide(L"Spindlewave.ini"), old);
    CreateDirectoryW(folder.Wide(L"Spindlewave.ini.tmp").c_str(), nullptr);
    WriteIniString(kSection, kBgmKindKey.name, " 2", file);
    EXPECT_EQ(ReadBytes(folder.Wide(L"Spindlewave.ini")), old);
    RemoveDirectoryW(folder.Wide(L"Spindlewave.ini.tmp").c_str());

    // A file held open by a reader that does not share deletion cannot be replaced: the rename
    // fails after the new content was written.
    HANDLE reader = CreateFileW(folder.Wide(L"Spindlewave.ini").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    WriteIniString(kSection, kBgmKindKey.name, " 2", file);
    CloseHandle(reader);
    EXPECT_EQ(ReadBytes(folder.Wide(L"Spindlewave.ini")), old);
    EXPECT_EQ(folder.Names(), std::vector<std::wstring>{L"Spindlewave.ini"});

    WriteIniString(kSection, kBgmKindKey.name, " 2", file);
    EXPECT_EQ(ReadIniString(kSection, kBgmKindKey.name, file), "2");
}

TEST(SettingsFileWin, AFileLockedAgainstReadingIsNeitherReadNorOverwritten) {
    TempFolder folder;
    const std::string file = folder.Path(L"Spindlewave.ini");
    const std::string old = "[Section]\r\nBGM\x8B\xE6\x95\xAA= 1\r\n";
    WriteBytes(folder.Wide(L"Spindlewave.ini"), old);
    HANDLE lock = CreateFileW(folder.Wide(L"Spindlewave.ini").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    EXPECT_EQ(ReadIniString(kSection, kBgmKindKey.name, file), "");
    WriteIniString(kSection, kSpeedKey.name, " 9", file);
    CloseHandle(lock);
    EXPECT_EQ(ReadBytes(folder.Wide(L"Spindlewave.ini")), old);
    EXPECT_EQ(folder.Names(), std::vector<std::wstring>{L"Spindlewave.ini"});
}

TEST(SettingsFileWin, LongValuesComeBackCutAt255Bytes) {
    TempFolder folder;
    const std::string file = folder.Path(L"Spindlewave.ini");
    WriteIniString(kSection, kBgmFileKey.name, "C:\\" + std::string(297, 'p'), file);
    EXPECT_EQ(ReadIniString(kSection, kBgmFileKey.name, file), "C:\\" + std::string(252, 'p'));
    if (!Japanese()) return;
    std::string kana;
    for (int i = 0; i < 150; ++i) kana += "あ";
    WriteIniString(kSection, kBgmFileKey.name, "x" + kana, file);
    std::string expected = "x";
    for (int i = 0; i < 127; ++i) expected += "あ";
    EXPECT_EQ(ReadIniString(kSection, kBgmFileKey.name, file), expected);
}

TEST(FileExists, OnlyForFilesThatOpenForReading) {
    TempFolder folder;
    WriteBytes(folder.Wide(L"song.mp3"), "ID3");
    WriteBytes(folder.Wide(L"曲.wav"), "RIFF");
    EXPECT_TRUE(FileExists(folder.Path(L"song.mp3")));
    EXPECT_TRUE(FileExists(folder.Path(L"song.mp3\\")));  // the trailing backslash is dropped
    EXPECT_TRUE(FileExists(folder.Path(L"曲.wav")));
    EXPECT_FALSE(FileExists(folder.Path(L"missing.mp3")));
    EXPECT_FALSE(FileExists(folder.Path(L"")));            // the folder itself, with its backslash
    EXPECT_FALSE(FileExists(folder.Path(L"").substr(0, folder.Path(L"").size() - 1)));
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(FileExists("\\"));
    EXPECT_FALSE(FileExists("NUL"));
    EXPECT_FALSE(FileExists(folder.Path(L"*.mp3")));

    for (DWORD share : {DWORD{0}, DWORD{FILE_SHARE_WRITE}}) {
        HANDLE lock = CreateFileW(folder.Wide(L"song.mp3").c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(lock, INVALID_HANDLE_VALUE);
        EXPECT_FALSE(FileExists(folder.Path(L"song.mp3"))) << share;
        CloseHandle(lock);
    }

    // Nothing stays open: the file can be taken exclusively and deleted.
    EXPECT_TRUE(FileExists(folder.Path(L"song.mp3")));
    HANDLE exclusive = CreateFileW(folder.Wide(L"song.mp3").c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr,
                                   OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(exclusive, INVALID_HANDLE_VALUE);
    CloseHandle(exclusive);
    EXPECT_TRUE(DeleteFileW(folder.Wide(L"song.mp3").c_str()));
}

SettingsValues LoadFrom(const std::string& file) {
    SettingsValues values;
    values.RotationSpeed = 33;
    values.BgmKind = 9;
    values.BgmRepeat = 9;
    values.BgmFile = "C:\\old.mp3";
    LoadSettingsFromFile(values, file);
    return values;
}

TEST(LoadSettingsWin, ReadsTheFileFromDisk) {
    TempFolder folder;
    const std::string file = folder.Path(L"Spindlewave.ini");

    SettingsValues none = LoadFrom(file);
    EXPECT_EQ(none.RotationSpeed, 1.0f);
    EXPECT_EQ(none.BgmKind, 0);
    EXPECT_EQ(none.BgmRepeat, 0);
    EXPECT_EQ(none.BgmFile, "");

    WriteBytes(folder.Wide(L"曲.mp3"), "ID3");
    WriteIniString(kSection, kSpeedKey.name, "-2.5", file);
    WriteIniString(kSection, kBgmKindKey.name, " 2", file);
    WriteIniString(kSection, kBgmRepeatKey.name, "40000", file);
    WriteIniString(kSection, kBgmFileKey.name, folder.Path(L"曲.mp3"), file);
    SettingsValues read = LoadFrom(file);
    EXPECT_EQ(read.RotationSpeed, -3.0f);
    EXPECT_EQ(read.BgmKind, 2);
    EXPECT_EQ(read.BgmRepeat, 9);
    if (Japanese()) {
        EXPECT_EQ(read.BgmFile, folder.Path(L"曲.mp3"));
    }
    EXPECT_TRUE(FileExists(read.BgmFile));

    // A folder in place of the music file: forgotten, and the kind falls back.
    WriteIniString(kSection, kBgmFileKey.name, folder.Path(L""), file);
    SettingsValues folderPath = LoadFrom(file);
    EXPECT_EQ(folderPath.BgmFile, "");
    EXPECT_EQ(folderPath.BgmKind, 0);
}

TEST(SettingsFilePath, LiesBesideTheProgram) {
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring folder(program);
    folder.resize(folder.find_last_of(L'\\') + 1);
    EXPECT_EQ(SettingsFilePath(), WideToUtf8(folder + L"Spindlewave.ini"));
}

}  // namespace
}  // namespace spindle
