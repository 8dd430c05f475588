// The monitors the saver covers: primary first, then the system's order; unusable ones left out.
#include "saver/monitor_layout.h"

#include <gtest/gtest.h>

namespace spindle {
namespace {

TEST(SaverLayout, PrimaryFirstThenTheListedOrderWithoutEmptyMonitorsOrElseThePrimaryScreen) {
    const MonitorRect screen{0, 0, 1024, 768}, left{-800, 0, 800, 600}, above{0, -1080, 1920, 1080};
    const MonitorRect right{1024, 0, 800, 600}, empty{1024, 0, 0, 600}, flat{0, 0, 300, -2};
    const std::pair<std::vector<ListedMonitor>, MonitorLayout> cases[] = {
        {{{left, false}, {above, false}, {screen, true}, {right, false}}, {screen, left, above, right}},
        {{{right, false}, {empty, false}, {flat, false}, {screen, true}}, {screen, right}},
        {{{right, false}}, {right}},                 // no primary listed: the others still
        {{}, {{0, 0, 640, 480}}},                    // nothing listed: the primary screen
        {{{empty, true}, {flat, false}}, {{0, 0, 640, 480}}},
    };
    for (const auto& [listed, layout] : cases) {
        EXPECT_EQ(SaverLayout(listed, {0, 0, 640, 480}), layout) << listed.size();
    }
}

}  // namespace
}  // namespace spindle
