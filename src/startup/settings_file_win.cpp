// The settings file on Windows: the program's folder, code-page conversion of names and values,
// the real file store behind the profile engine, and the file test.
#include "startup/settings_file_win.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <optional>

#include "runtime/wide_text_win.h"
#include "startup/private_profile.h"
#include "startup/settings_file.h"
#include "startup/settings_keys.h"

namespace spindle {
namespace {

constexpr UINT kShiftJisCodePage = 932;
// Far beyond any settings file; a larger one is treated as unreadable rather than loaded.
constexpr LONGLONG kLargestReadableFile = 64LL * 1024 * 1024;

class ScopedHandle {
public:
    explicit ScopedHandle(HANDLE handle) : handle_(handle) {}
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    ~ScopedHandle() { Close(); }
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    bool Close() {
        if (!Valid()) return true;
        bool closed = CloseHandle(handle_) != FALSE;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

// A drive without a medium must not bring up the system's "insert a disk" box.
class NoCriticalErrorBoxes {
public:
    NoCriticalErrorBoxes() { SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previous_); }
    NoCriticalErrorBoxes(const NoCriticalErrorBoxes&) = delete;
    NoCriticalErrorBoxes& operator=(const NoCriticalErrorBoxes&) = delete;
    ~NoCriticalErrorBoxes() { SetThreadErrorMode(previous_, nullptr); }

private:
    DWORD previous_ = 0;
};

// The text in the code page only when it comes back unchanged: no best-fit look-alikes, no '?'.
std::optional<std::string> LosslessInCodePage(std::wstring_view text, UINT codePage) {
    std::optional<std::string> bytes = WideToCodePage(text, codePage);
    if (!bytes || CodePageToWide(*bytes, codePage) != text) return std::nullopt;
    return bytes;
}

bool AnsiLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

// Section and key names go to disk as Shift-JIS whatever the system's code page.
std::string NameBytes(std::string_view name) {
    if (std::optional<std::string_view> known = KnownShiftJisName(name)) return std::string(*known);
    std::wstring wide = Utf8ToWide(name);
    if (std::optional<std::string> bytes = LosslessInCodePage(wide, kShiftJisCodePage)) return *bytes;
    return WideToCodePage(wide, CP_ACP).value_or(std::string());
}

class Win32ProfileStore : public ProfileFileStore {
public:
    ReadResult ReadAll(const std::string& path) override {
        NoCriticalErrorBoxes quiet;
        ScopedHandle file(CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.Valid()) {
            DWORD error = GetLastError();
            bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
            return {missing ? ReadStatus::Missing : ReadStatus::Failed, {}};
        }
        LARGE_INTEGER size{};
        if (GetFileType(file.Get()) != FILE_TYPE_DISK || !GetFileSizeEx(file.Get(), &size) ||
            size.QuadPart > kLargestReadableFile) {
            return {ReadStatus::Failed, {}};
        }
        std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
        std::size_t total = 0;
        while (total < bytes.size()) {
            DWORD got = 0;
            if (!ReadFile(file.Get(), bytes.data() + total, static_cast<DWORD>(bytes.size() - total), &got, nullptr)) {
                return {ReadStatus::Failed, {}};
            }
            if (got == 0) break;  // the file shrank meanwhile
            total += got;
        }
        bytes.resize(total);
        return {ReadStatus::Ok, std::move(bytes)};
    }

    bool WriteNew(const std::string& path, std::string_view bytes) override {
        NoCriticalErrorBoxes quiet;
        ScopedHandle file(CreateFileW(Utf8ToWide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.Valid()) return false;
        while (!bytes.empty()) {
            DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
            DWORD written = 0;
            if (!WriteFile(file.Get(), bytes.data(), chunk, &written, nullptr) || written == 0) return false;
            bytes.remove_prefix(written);
        }
        return FlushFileBuffers(file.Get()) && file.Close();
    }

    bool Replace(const std::string& from, const std::string& to) override {
        // A read-only settings file stays as it is. Windows refuses the move anyway, but Wine
        // running as root would replace it.
        const DWORD attributes = GetFileAttributesW(Utf8ToWide(to).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
        return MoveFileExW(Utf8ToWide(from).c_str(), Utf8ToWide(to).c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    }

    void Remove(const std::string& path) override { DeleteFileW(Utf8ToWide(path).c_str()); }
};

class IniReader : public SettingsReaderPort {
public:
    std::string ReadIniString(std::string_view section, std::string_view key, std::string_view file) override {
        return spindle::ReadIniString(section, key, file);
    }
};

class FileProbe : public FileProbePort {
public:
    bool FileExists(std::string_view path) override { return spindle::FileExists(path); }
};

// The user's fraction mark when it is one plain character; '.' otherwise.
char UserDecimalSeparator() {
    wchar_t mark[8] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, mark, 8) == 2 && mark[0] > 0x20 && mark[0] < 0x7F) {
        return static_cast<char>(mark[0]);
    }
    return '.';
}

}  // namespace

std::string SettingsFilePath() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return SettingsPathBeside("");
        if (length < buffer.size()) {
            buffer.resize(length);
            break;
        }
        buffer.resize(buffer.size() * 2);  // the path was cut; try a larger buffer
    }
    return SettingsPathBeside(WideToUtf8(buffer));
}

std::string ReadIniString(std::string_view section, std::string_view key, std::string_view file) {
    if (file.empty()) return {};
    Win32ProfileStore store;
    std::string bytes = ReadProfileValue(store, std::string(file), NameBytes(section), NameBytes(key), AnsiLeadByte);
    return WideToUtf8(CodePageToWide(bytes, CP_ACP));
}

void WriteIniString(std::string_view section, std::string_view key, std::string_view value, std::string_view file) {
    if (file.empty()) return;
    std::wstring wide = Utf8ToWide(value);
    std::optional<std::string> bytes = LosslessInCodePage(wide, CP_ACP);
    if (!bytes) {
        // A path with characters the code page lacks may still be reachable by its short name.
        std::wstring shortPath(MAX_PATH, L'\0');
        DWORD length = GetShortPathNameW(wide.c_str(), shortPath.data(), static_cast<DWORD>(shortPath.size()));
        if (length > shortPath.size()) {
            shortPath.resize(length);
            length = GetShortPathNameW(wide.c_str(), shortPath.data(), static_cast<DWORD>(shortPath.size()));
        }
        if (length == 0 || length >= shortPath.size()) return;
        shortPath.resize(length);
        bytes = LosslessInCodePage(shortPath, CP_ACP);
        if (!bytes) return;  // the stored value stays as it was
    }
    Win32ProfileStore store;
    WriteProfileValue(store, std::string(file), NameBytes(section), NameBytes(key), *bytes, AnsiLeadByte);
}

bool FileExists(std::string_view path) {
    if (!path.empty() && path.back() == '\\') path.remove_suffix(1);
    if (path.empty()) return false;
    NoCriticalErrorBoxes quiet;
    ScopedHandle file(CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    // Devices (NUL, COM1, pipes) open too, but are no music file.
    return file.Valid() && GetFileType(file.Get()) == FILE_TYPE_DISK;
}

void LoadSettingsFromFile(SettingsValues& values, std::string_view file) {
    IniReader reader;
    FileProbe probe;
    LoadSettings(values, reader, probe, file, UserDecimalSeparator());
}

}  // namespace spindle
