// Music files for the music tests: a folder with a blank in its name, a generated WAV tone,
// and whole-file copies.
#pragma once

#include <windows.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace spindle::test {

// A folder under the temporary folder, with a blank in its name; removed with its files.
class MusicFolder {
public:
    explicit MusicFolder(const std::wstring& tag) {
        wchar_t base[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, base);
        path_ = std::wstring(base) + L"spindle " + tag + L" " + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~MusicFolder() {
        for (const std::wstring& file : files_) DeleteFileW(file.c_str());
        RemoveDirectoryW(path_.c_str());
    }
    MusicFolder(const MusicFolder&) = delete;
    MusicFolder& operator=(const MusicFolder&) = delete;

    const std::wstring& Path() const { return path_; }
    // The full path of a file in the folder, deleted with it.
    std::wstring File(const std::wstring& name) {
        files_.push_back(path_ + L"\\" + name);
        return files_.back();
    }

private:
    std::wstring path_;
    std::vector<std::wstring> files_;
};

inline std::vector<char> ReadWholeFile(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), {});
}

inline void WriteWholeFile(const std::wstring& path, const std::vector<char>& bytes) {
    std::ofstream out(std::filesystem::path(path), std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A 16-bit mono 22050 Hz sine tone of about 440 Hz as a WAV file.
inline void WriteToneWav(const std::wstring& path, double seconds) {
    const std::uint32_t rate = 22050;
    const auto samples = static_cast<std::uint32_t>(seconds * rate);
    std::vector<std::int16_t> pcm(samples);
    for (std::uint32_t i = 0; i < samples; ++i) pcm[i] = static_cast<std::int16_t>(8000 * std::sin(i * 0.1253));
    std::ofstream out(std::filesystem::path(path), std::ios::binary);
    auto u32 = [&out](std::uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&out](std::uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out.write("RIFF", 4);
    u32(36 + samples * 2);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);  // PCM
    u16(1);  // mono
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    out.write("data", 4);
    u32(samples * 2);
    out.write(reinterpret_cast<const char*>(pcm.data()), static_cast<std::streamsize>(pcm.size() * 2));
}

}  // namespace spindle::test
