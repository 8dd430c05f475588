// The preview: the still picture planted into the display-settings preview box.
#pragma once

#include <cstdint>

namespace spindle {

void StartPreview(std::int32_t hostHandle);

}  // namespace spindle
