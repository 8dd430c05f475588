// A picture box's persistent off-screen image: drawing goes into a 32-bit DIB section, Cls
// restores the background picture (black until one is kept), Line takes scale units (twips)
// and Refresh copies the whole image to the window in one BitBlt, so nothing flickers.
#pragma once

#include <windows.h>

#include <cstdint>

#include "runtime/scoped_gdi_win.h"

namespace spindle {

// A 32-bit DIB section, top row first, for `dc` (null: the screen); `bits` gets its pixels.
// Empty (and `bits` null) when it cannot be made.
ScopedBitmap CreateTopDownDib(HDC dc, int width, int height, std::uint32_t*& bits);

class PersistentImage {
public:
    PersistentImage();
    PersistentImage(const PersistentImage&) = delete;
    PersistentImage& operator=(const PersistentImage&) = delete;

    // A new black image of this size in pixels, with the scale factors (twips per pixel) that
    // turn scale units into pixels. Any kept background is dropped. False if it could not be made.
    bool Resize(int widthPixels, int heightPixels, double twipsPerPixelX, double twipsPerPixelY);

    int WidthPixels() const { return width_; }
    int HeightPixels() const { return height_; }
    double ScaleWidth() const { return width_ * twipsPerPixelX_; }
    double ScaleHeight() const { return height_ * twipsPerPixelY_; }

    // The image's memory DC, for copying pictures into it (null before Resize).
    HDC Dc() const { return image_.Dc(); }
    // The pixels, top row first, 0x00RRGGBB each (null before Resize). GDI is flushed first.
    const std::uint32_t* Pixels() const;

    // The current image becomes the picture that every Cls restores.
    bool KeepAsBackground();
    void Cls();
    // A one-pixel line in scale units; the colour is 0x00BBGGRR as GDI takes it.
    void Line(double x1, double y1, double x2, double y2, std::uint32_t rgb);
    // Copies the image to the window's client area at (0, 0).
    void Refresh(HWND window) const;
    void PaintTo(HDC dc) const;

private:
    // One DIB section selected into its own memory DC.
    class Dib {
    public:
        Dib() = default;
        ~Dib();
        Dib(const Dib&) = delete;
        Dib& operator=(const Dib&) = delete;
        bool Create(int width, int height);
        HDC Dc() const { return dc_.get(); }
        std::uint32_t* Bits() const { return bits_; }

    private:
        void Release();

        ScopedMemoryDC dc_;
        ScopedBitmap bitmap_;
        HGDIOBJ original_ = nullptr;  // the DC's own bitmap, put back before ours is deleted
        std::uint32_t* bits_ = nullptr;
    };

    int ToPixelX(double x) const;
    int ToPixelY(double y) const;

    Dib image_;
    Dib background_;
    bool hasBackground_ = false;
    int width_ = 0;
    int height_ = 0;
    double twipsPerPixelX_ = 15;
    double twipsPerPixelY_ = 15;
};

}  // namespace spindle
