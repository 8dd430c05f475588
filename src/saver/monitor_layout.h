// The monitors the saver covers and the order it draws them in: the primary monitor first, then
// the others in the order the system lists them. Each gets a window and a look of its own.
#pragma once

#include <cstdint>
#include <vector>

namespace spindle {

// A monitor's rectangle on the virtual screen, in pixels (left or top below 0: left of or above
// the primary monitor).
struct MonitorRect {
    std::int32_t Left = 0, Top = 0, Width = 0, Height = 0;
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
