// The MCI sender over winmm's wide command-string calls.
#pragma once

#include "music/mci_sender_port.h"

namespace spindle {

class WinMciSender : public MciSenderPort {
public:
    std::int32_t SendString(std::string_view command, std::string* buffer, std::size_t capacity) override;
    bool GetErrorString(std::int32_t code, std::string& text, std::size_t capacity) override;
};

}  // namespace spindle
