// Dots per inch: which DPI a window or monitor draws at, and what a size in twips, points or
// 96-DPI pixels comes to there. Each monitor may have its own; the system's serves where the
// system cannot tell a monitor's.
#pragma once

#include <optional>

namespace spindle {

inline constexpr int kStandardDpi = 96;

// What the system tells of one window's or one monitor's DPI.
class DpiPort {
public:
    virtual ~DpiPort() = default;
    // The window's own DPI (it follows the monitor it is on); nothing where the system cannot tell
    // (before Windows 10 1607) or where there is no window.
    virtual std::optional<int> WindowDpi() = 0;
    // The DPI of the monitor (the window's); nothing where the system cannot tell (before
    // Windows 8.1, a failing call).
    virtual std::optional<int> MonitorDpi() = 0;
    // The system's DPI, as the screen's device context gives it.
    virtual int SystemDpi() = 0;
};

// The window's DPI where it can be told, else its monitor's, else the system's; 96 when none of
// them is a DPI any display has (a failing call gives 0).
int EffectiveDpi(DpiPort& port);

// Twips per pixel at a DPI: 15 at 96, 10 at 144.
double TwipsPerPixelAt(int dpi);
// A length in twips as whole pixels at a DPI, rounded to the nearest.
int TwipsToPixels(double twips, int dpi);
// A font's cell height for a point size at a DPI, as a negative LOGFONT height.
int FontHeightAt(double points, int dpi);
// A picture drawn for 96 DPI, as wide at another, rounded to the nearest pixel.
int PixelsFrom96(int pixels, int dpi);

}  // namespace spindle
