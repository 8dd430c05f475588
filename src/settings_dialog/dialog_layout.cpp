// The dialog's placement rules.
#include "settings_dialog/dialog_layout.h"

#include "runtime/dpi.h"

namespace spindle {

PlacedRect PlaceAt(const DesignRect& design, int dpi) {
    const int left = TwipsToPixels(design.left, dpi), top = TwipsToPixels(design.top, dpi);
    return PlacedRect{left, top, left + TwipsToPixels(design.width, dpi), top + TwipsToPixels(design.height, dpi)};
}

PixelExtent DialogClientAt(int dpi) {
    return PixelExtent{TwipsToPixels(kDialogClientWidthTwips, dpi), TwipsToPixels(kDialogClientHeightTwips, dpi)};
}

int MarkPixelsAt(int dpi) { return PixelsFrom96(kMarkPixels96, dpi); }

int DropListPixelsAt(int dpi) { return PixelsFrom96(kDropListPixels96, dpi); }

}  // namespace spindle
