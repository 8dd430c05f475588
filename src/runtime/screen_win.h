// The screen as the forms see it: its size in twips and the twips-per-pixel factors,
// which follow the system's DPI (15 at 96 DPI, 10 at 144 DPI).
#pragma once

namespace spindle {

double TwipsPerPixelX();
double TwipsPerPixelY();
double ScreenWidthTwips();
double ScreenHeightTwips();

}  // namespace spindle
