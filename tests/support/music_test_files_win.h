// For the music tests under Wine: a folder with a blank in its name, and the file into which
// scripts/wine-session.sh captures everything Wine plays.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace spindle::test {

// A fresh folder under the temporary folder, removed with everything in it.
class MusicFolder {
public:
    MusicFolder() { std::filesystem::create_directories(path_); }
    ~MusicFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    MusicFolder(const MusicFolder&) = delete;
    MusicFolder& operator=(const MusicFolder&) = delete;
    std::wstring Path() const { return path_.wstring(); }
    std::wstring File(const std::wstring& name) const { return (path_ / name).wstring(); }

private:
    std::filesystem::path path_ =
        std::filesystem::temp_directory_path() / (L"spindle music " + std::to_wstring(GetCurrentProcessId()));
};

class SoundCapture {
public:
    SoundCapture() {
        if (const char* path = std::getenv("SPINDLE_SOUND_CAPTURE")) path_ = std::string("Z:") + path;
        LoudBytesSinceMark();
    }
    // False outside a wine-session.sh run.
    bool Available() const { return !path_.empty(); }

    // Bytes that are not silence captured since the last look. Each opening of the sound device
    // starts the file afresh, so a file that shrank is read from its start.
    std::int64_t LoudBytesSinceMark() {
        std::ifstream in(path_, std::ios::binary | std::ios::ate);
        std::int64_t size = in ? static_cast<std::int64_t>(in.tellg()) : 0, loud = 0;
        if (size < offset_) offset_ = 0;
        in.seekg(offset_);
        for (char c; offset_ < size && in.get(c); ++offset_) loud += c != 0;
        return loud;
    }
    std::int64_t LoudBytesDuring(DWORD milliseconds) {
        LoudBytesSinceMark();
        Sleep(milliseconds);
        return LoudBytesSinceMark();
    }

private:
    std::string path_;
    std::int64_t offset_ = 0;
};

}  // namespace spindle::test
