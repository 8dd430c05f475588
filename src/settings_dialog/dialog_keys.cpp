// The settings dialog's keyboard order.
#include "settings_dialog/dialog_keys.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace spindle {

FocusStop NextFocusStop(std::optional<FocusStop> current, bool backwards) {
    if (!current) return backwards ? FocusStop::CancelButton : FocusStop::MusicChoices;
    const int step = backwards ? kFocusStopCount - 1 : 1;
    return static_cast<FocusStop>((static_cast<int>(*current) + step) % kFocusStopCount);
}

int MusicRowAfter(int kind, bool upwards) {
    constexpr std::array<int, 3> kRowsFromTop = {1, 0, 2};
    const auto row = std::find(kRowsFromTop.begin(), kRowsFromTop.end(), kind);
    if (row == kRowsFromTop.end()) return upwards ? kRowsFromTop.back() : kRowsFromTop.front();
    const int count = static_cast<int>(kRowsFromTop.size());
    const int position = static_cast<int>(std::distance(kRowsFromTop.begin(), row));
    return kRowsFromTop[static_cast<std::size_t>((position + (upwards ? count - 1 : 1)) % count)];
}

}  // namespace spindle
