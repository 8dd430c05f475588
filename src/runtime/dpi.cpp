// The DPI rules.
#include "runtime/dpi.h"

#include <cmath>

namespace spindle {
namespace {

// Windows offers scales from 100 % to 500 %; anything far outside is a failed read.
bool Plausible(std::optional<int> dpi) { return dpi && *dpi >= 48 && *dpi <= 960; }

}  // namespace

int EffectiveDpi(DpiPort& port) {
    if (std::optional<int> dpi = port.WindowDpi(); Plausible(dpi)) return *dpi;
    if (std::optional<int> dpi = port.MonitorDpi(); Plausible(dpi)) return *dpi;
    if (std::optional<int> dpi = port.SystemDpi(); Plausible(dpi)) return *dpi;
    return kStandardDpi;
}

double TwipsPerPixelAt(int dpi) { return 1440.0 / dpi; }

int TwipsToPixels(double twips, int dpi) { return static_cast<int>(std::lround(twips * dpi / 1440.0)); }

int FontHeightAt(double points, int dpi) { return -static_cast<int>(std::lround(points * dpi / 72.0)); }

int PixelsFrom96(int pixels, int dpi) { return static_cast<int>(std::lround(static_cast<double>(pixels) * dpi / 96.0)); }

}  // namespace spindle
