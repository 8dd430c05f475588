// What Wine plays, as scripts/wine-session.sh catches it in a file instead of a sound device.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

namespace spindle::test {

// Bytes that are not silence among what Wine plays during the time; -1 outside wine-session.sh.
// Each opening of the sound device starts the capture afresh, so a file that shrank is read from its start.
inline std::int64_t LoudBytesDuring(DWORD milliseconds) {
    const char* capture = std::getenv("SPINDLE_SOUND_CAPTURE");
    if (capture == nullptr) return -1;
    const std::string path = std::string("Z:") + capture;
    const std::streamoff from = std::ifstream(path, std::ios::binary | std::ios::ate).tellg();
    Sleep(milliseconds);
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    const std::streamoff size = in.tellg();
    in.seekg(size < from ? 0 : std::max<std::streamoff>(from, 0));
    std::int64_t loud = 0;
    for (char c; in.get(c);) loud += c != 0;
    return loud;
}

}  // namespace spindle::test
