// The preview: the still picture planted into the display-settings preview box.
#pragma once

#include <cstdint>

namespace spindle {

// Plants the preview form Spindlewave_R into the host box. The process then lives while the
// form is loaded; it ends at once when the handle names no window.
void StartPreview(std::int32_t hostHandle);

}  // namespace spindle
