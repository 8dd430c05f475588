// The seam to the platform's MCI command strings: send one command, look up an error's text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace spindle {

class MciSenderPort {
public:
    virtual ~MciSenderPort() = default;

    // mciSendString(command, buffer, capacity, no callback window). With a buffer, the device may
    // overwrite it with its reply (at most capacity - 1 characters); it keeps its old content when
    // the device writes nothing. A null buffer sends with capacity 0. Returns 0 or the MCI error.
    virtual std::int32_t SendString(std::string_view command, std::string* buffer, std::size_t capacity) = 0;

    // mciGetErrorString(code, text, capacity): false when the platform has no text for the code.
    virtual bool GetErrorString(std::int32_t code, std::string& text, std::size_t capacity) = 0;
};

}  // namespace spindle
