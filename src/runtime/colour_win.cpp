// System colours through GetSysColor, at the moment of drawing.
#include "runtime/colour_win.h"

#include "runtime/colour.h"

namespace spindle {

COLORREF ResolveColour(std::uint32_t colour) {
    if (auto index = SystemColourIndex(colour)) return GetSysColor(*index);
    return colour & 0xFFFFFFu;
}

}  // namespace spindle
