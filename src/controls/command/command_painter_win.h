// The thin painter that carries out the gradient button's paint plan on a device context.
#pragma once

#include <windows.h>

#include <array>

#include "controls/command/command_paint_plan.h"
#include "runtime/scoped_gdi_win.h"

namespace spindle {

class CommandPainterWin {
public:
    // Loads the six skin pictures from the program's resources.
    CommandPainterWin();
    CommandPainterWin(const CommandPainterWin&) = delete;
    CommandPainterWin& operator=(const CommandPainterWin&) = delete;

    bool SkinsLoaded() const;

    // Clears the face (facePixels wide and high) to the background colour, fills the gradient
    // and lays the frame pieces. Each step is carried out even when an earlier one failed.
    void CarryOut(HDC face, SIZE facePixels, COLORREF background, const PaintPlan& plan) const;

private:
    std::array<ScopedBitmap, kSkinPictureCount> skins_;
};

}  // namespace spindle
