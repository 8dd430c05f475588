// The system's monitors as the saver covers them.
#pragma once

#include "saver/monitor_layout.h"

namespace spindle {

// The monitors now, primary first (the primary screen alone when they cannot be listed).
MonitorLayout CurrentMonitorLayout();

}  // namespace spindle
