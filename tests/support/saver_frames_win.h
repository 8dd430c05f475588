// The saver's animation as the screen shows it: its look, and which frame a picture shows. Every run draws
// the same frames in the same order, so the animation drawn off screen by the saver's own code is the
// key: the difference of two frame numbers is the frames drawn between two pictures.
#pragma once

#include <vector>

#include "support/screen_pixels_win.h"

namespace spindle::test {

// The frame number (0: the first frame) of each picture, in the order given (each one at or after
// the one before), of a saver on a screen of the pictures' size at the given twist speed; -1 for
// a picture that matches none of the first `frameLimit` frames.
std::vector<int> SaverFramesShown(const std::vector<ScreenPixels>& pictures, float rotationSpeed, int frameLimit);

// Expects a rectangle of the screen to show the saver's look at its size: the Earth picture in its
// centre, and over black lines that move, at least `linePixels` each of pure red, green and blue
// (and no other colour). The test program must hold the saver's resources.
void ExpectTheSaversLook(int left, int top, int width, int height, int linePixels);

}  // namespace spindle::test
