// The screen as the forms see it: its size in twips and the twips-per-pixel factors,
// which follow the system's DPI (15 at 96 DPI, 10 at 144 DPI).
#pragma once

namespace spindle {

// The screen's dots per inch (96 when it cannot be read).
int ScreenDpiX();
int ScreenDpiY();

double TwipsPerPixelX();
double TwipsPerPixelY();
double ScreenWidthTwips();
double ScreenHeightTwips();

}  // namespace spindle
