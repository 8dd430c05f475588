// What the saver window draws with: a Display on each monitor, the persistent off-screen image
// the animation draws on (in twips), and Pic_D, the still picture that is laid into each once.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "runtime/dpi.h"
#include "runtime/picture_win.h"
#include "runtime/surface_win.h"
#include "saver/line_animation.h"

namespace spindle {

// One monitor's Display: its image, shown in its own window.
class MonitorDisplay : public DrawingSurface {
public:
    // The window that Refresh copies the image to (none: Refresh only keeps the image).
    void ShowOn(HWND window) { window_ = window; }
    HWND Window() const { return window_; }
    PersistentImage& Image() { return image_; }
    const PersistentImage& Image() const { return image_; }

    float ScaleWidth() override;
    float ScaleHeight() override;
    void Cls() override;
    void Line(float x1, float y1, float x2, float y2, std::uint32_t rgb) override;
    void Refresh() override;

private:
    PersistentImage image_;
    HWND window_ = nullptr;
};

// A Display's size in pixels, and the DPI it is drawn at (its monitor's).
struct PixelSize {
    int Width = 0, Height = 0;
    int Dpi = kStandardDpi;
};

class SaverDisplay : public MonitorSurfaces {
public:
    // Pic_D gets the program's Earth picture.
    SaverDisplay();

    // A black Display for each monitor, as large as its window's interior (pixels) and measured in
    // twips at that monitor's DPI, in monitor order; throws RuntimeError when one cannot be made
    // (the others are made all the same).
    void Cover(const std::vector<PixelSize>& monitors);
    // Pic_D's interior size in pixels: the picture's own size (its design size if it is missing).
    double PictureWidth() const;
    double PictureHeight() const;
    // BitBlt from Pic_D (0, 0) into a monitor's image; throws when there is nothing to copy.
    void CopyPicture(int monitor, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height);
    // Every monitor's current image becomes the picture its Cls restores; throws if one cannot.
    void KeepAsBackground();

    // The Display shown in `window` (null when none).
    MonitorDisplay* Find(HWND window);
    MonitorDisplay& At(int monitor) { return *monitors_.at(static_cast<std::size_t>(monitor)); }
    const MonitorDisplay& At(int monitor) const { return *monitors_.at(static_cast<std::size_t>(monitor)); }

    int MonitorCount() override { return static_cast<int>(monitors_.size()); }
    DrawingSurface& Monitor(int index) override { return At(index); }

private:
    PictureImage picD_;
    std::vector<std::unique_ptr<MonitorDisplay>> monitors_;
};

}  // namespace spindle
