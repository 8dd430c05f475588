// Ordering and sanity of the monitor list.
#include "saver/monitor_layout.h"

namespace spindle {

MonitorLayout SaverLayout(const std::vector<ListedMonitor>& listed, const MonitorRect& primaryScreen) {
    MonitorLayout layout;
    for (bool primary : {true, false}) {
        for (const ListedMonitor& monitor : listed) {
            if (monitor.Primary != primary || monitor.Rect.Width <= 0 || monitor.Rect.Height <= 0) continue;
            layout.push_back(monitor.Rect);
        }
    }
    if (layout.empty()) layout.push_back(primaryScreen);
    return layout;
}

}  // namespace spindle
