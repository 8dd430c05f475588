// A form or control colour as GDI draws it: system colours resolved now.
#pragma once

#include <windows.h>

#include <cstdint>

namespace spindle {

COLORREF ResolveColour(std::uint32_t colour);

}  // namespace spindle
