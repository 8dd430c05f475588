// Reads the file into which scripts/wine-session.sh captures everything Wine plays, to tell
// whether sound (not silence) came out over a stretch of time.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace spindle::test {

class SoundCapture {
public:
    SoundCapture() {
        wchar_t value[1024] = {};
        DWORD length = GetEnvironmentVariableW(L"SPINDLE_SOUND_CAPTURE", value, 1024);
        if (length == 0 || length >= 1024) return;
        path_ = L"Z:";
        for (wchar_t c : std::wstring(value, length)) path_ += c == L'/' ? L'\\' : c;
        Mark();
    }

    // False outside a wine-session.sh run.
    bool Available() const { return !path_.empty(); }

    // Forgets everything captured so far.
    void Mark() { LoudBytesSinceMark(); }

    // Bytes captured since the last look that are not silence. Each opening of the sound
    // device starts the file afresh; a file that shrank is read from its start.
    std::int64_t LoudBytesSinceMark() {
        HANDLE file = CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            offset_ = 0;
            return 0;
        }
        LARGE_INTEGER size{};
        GetFileSizeEx(file, &size);
        if (size.QuadPart < offset_) offset_ = 0;
        LARGE_INTEGER start{};
        start.QuadPart = offset_;
        SetFilePointerEx(file, start, nullptr, FILE_BEGIN);
        std::int64_t loud = 0;
        std::vector<unsigned char> chunk(1 << 16);
        std::int64_t left = size.QuadPart - offset_;
        while (left > 0) {
            DWORD read = 0;
            DWORD want = static_cast<DWORD>(std::min<std::int64_t>(left, static_cast<std::int64_t>(chunk.size())));
            if (!ReadFile(file, chunk.data(), want, &read, nullptr) || read == 0) break;
            for (DWORD i = 0; i < read; ++i) loud += chunk[i] != 0;
            left -= read;
            offset_ += read;
        }
        CloseHandle(file);
        return loud;
    }

    // Loud bytes captured during the next stretch of time.
    std::int64_t LoudBytesDuring(DWORD milliseconds) {
        Mark();
        Sleep(milliseconds);
        return LoudBytesSinceMark();
    }

private:
    std::wstring path_;
    std::int64_t offset_ = 0;
};

}  // namespace spindle::test
