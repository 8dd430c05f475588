// Reading, writing, replacing and probing the settings file with the platform's file calls.
// A failure to open for writing counts as a refusal of the place, unless another program
// holds the file or the disk is full: those are told as such, so the user can be.
#include "settings/profile_file_store_win.h"

#include <windows.h>

#include <algorithm>

#include "runtime/scoped_file_win.h"
#include "runtime/wide_text_win.h"

namespace spindle {
namespace {

// Far beyond any settings file; a larger one is treated as unreadable rather than loaded.
constexpr LONGLONG kLargestReadableFile = 64LL * 1024 * 1024;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

bool HeldByAnother(DWORD error) { return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION; }

bool DiskFull(DWORD error) { return error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL; }

// Why a file could not be opened for writing, or a write into it broke off.
WriteOutcome Failure(DWORD error, WriteOutcome otherwise) {
    if (HeldByAnother(error)) return WriteOutcome::InUse;
    if (DiskFull(error)) return WriteOutcome::DiskFull;
    return otherwise;
}

WriteOutcome OpenFailure() { return Failure(GetLastError(), WriteOutcome::Refused); }

bool ReadOnly(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

WriteOutcome WriteAll(ScopedHandle& file, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file.Get(), bytes.data(), chunk, &written, nullptr)) {
            return Failure(GetLastError(), WriteOutcome::Failed);
        }
        if (written == 0) return WriteOutcome::Failed;
        bytes.remove_prefix(written);
    }
    return SetEndOfFile(file.Get()) && FlushFileBuffers(file.Get()) && file.Close()
               ? WriteOutcome::Written
               : Failure(GetLastError(), WriteOutcome::Failed);
}

}  // namespace

ProfileFileStore::ReadResult Win32ProfileStore::ReadAll(const std::string& path) {
    NoCriticalErrorBoxes quiet;
    ScopedHandle file(CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return {ReadStatus::Missing, {}};
        return {HeldByAnother(error) ? ReadStatus::InUse : ReadStatus::Failed, {}};
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

WriteOutcome Win32ProfileStore::WriteNew(const std::string& path, std::string_view bytes) {
    NoCriticalErrorBoxes quiet;
    ScopedHandle file(CreateFileW(Utf8ToWide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return OpenFailure();
    return WriteAll(file, bytes);
}

bool Win32ProfileStore::Replace(const std::string& from, const std::string& to) {
    const std::wstring target = Utf8ToWide(to);
    if (ReadOnly(target)) return false;
    return MoveFileExW(Utf8ToWide(from).c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) !=
           FALSE;
}

WriteOutcome Win32ProfileStore::WriteOver(const std::string& path, std::string_view bytes) {
    NoCriticalErrorBoxes quiet;
    const std::wstring target = Utf8ToWide(path);
    if (ReadOnly(target)) return WriteOutcome::Refused;
    ScopedHandle file(CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return OpenFailure();
    return WriteAll(file, bytes);
}

void Win32ProfileStore::Remove(const std::string& path) { DeleteFileW(Utf8ToWide(path).c_str()); }

bool Win32ProfileStore::CanWrite(const std::string& path) {
    NoCriticalErrorBoxes quiet;
    const std::wstring target = Utf8ToWide(path);
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) return false;
        ScopedHandle file(CreateFileW(target.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        return file.Valid() || HeldByAnother(GetLastError());
    }
    // No file yet: whether its folder takes one. The probe is the temporary file a save would
    // write first, and it is gone again when closed.
    ScopedHandle probe(CreateFileW(Utf8ToWide(ProfileTempPath(path)).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                   FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    return probe.Valid() || HeldByAnother(GetLastError());
}

bool Win32ProfileStore::MakeFolder(const std::string& folder) {
    return CreateDirectoryW(Utf8ToWide(folder).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace spindle
