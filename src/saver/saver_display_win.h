// What the saver window draws with: Display, the persistent off-screen image the animation
// draws on (in twips), and Pic_D, the still picture that is laid into it once.
#pragma once

#include <windows.h>

#include <cstdint>

#include "runtime/picture_win.h"
#include "runtime/surface_win.h"
#include "saver/line_animation.h"

namespace spindle {

class SaverDisplay : public DrawingSurface {
public:
    // Pic_D gets the program's Earth picture.
    SaverDisplay();

    // Display as large as the window's interior, in pixels; throws RuntimeError when it cannot be made.
    void Cover(int widthPixels, int heightPixels, double twipsPerPixelX, double twipsPerPixelY);
    // Pic_D's interior size in pixels: the picture's own size (its design size if it is missing).
    double PictureWidth() const;
    double PictureHeight() const;
    // BitBlt from Pic_D (0, 0) into the image; throws when there is nothing to copy.
    void CopyPicture(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height);
    void KeepAsBackground();

    // The window that Refresh copies the image to (none: Refresh only keeps the image).
    void ShowOn(HWND window) { window_ = window; }
    void Paint(HDC dc) const { image_.PaintTo(dc); }
    const PersistentImage& Image() const { return image_; }

    float ScaleWidth() override;
    float ScaleHeight() override;
    void Cls() override;
    void Line(float x1, float y1, float x2, float y2, std::uint32_t rgb) override;
    void Refresh() override;

private:
    PictureImage picD_;
    PersistentImage image_;
    HWND window_ = nullptr;
};

}  // namespace spindle
