// The monitors the saver covers and the order it draws them in: the primary monitor first, then
// the others in the order the system lists them. Each gets a window and a look of its own.
#pragma once

#include <cstdint>
#include <vector>

#include "runtime/dpi.h"

namespace spindle {

// A monitor's rectangle on the virtual screen, in its own pixels (left or top below 0: left of or
// above the primary monitor), and the DPI it is drawn at (the system's where its own cannot be
// told). A monitor whose scale changes is a new layout.
struct MonitorRect {
    std::int32_t Left = 0, Top = 0, Width = 0, Height = 0;
    std::int32_t Dpi = kStandardDpi;
    bool operator==(const MonitorRect&) const = default;
};

struct ListedMonitor {
    MonitorRect Rect;
    bool Primary = false;
};

using MonitorLayout = std::vector<MonitorRect>;

// The listed monitors primary first, the rest in their listed order; monitors without area are
// left out. When none is left (nothing listed, or nothing usable), the primary screen alone.
MonitorLayout SaverLayout(const std::vector<ListedMonitor>& listed, const MonitorRect& primaryScreen);

}  // namespace spindle
