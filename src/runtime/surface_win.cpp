// The persistent off-screen image of a picture box.
#include "runtime/surface_win.h"

#include <algorithm>
#include <cmath>

namespace spindle {
namespace {

// GDI takes 27-bit coordinates; anything further out is clipped away anyway.
constexpr double kCoordinateLimit = 1 << 26;

int ToPixel(double scaleUnits, double twipsPerPixel) {
    const double pixels = scaleUnits / twipsPerPixel;
    if (!(pixels == pixels)) return 0;  // NaN
    return static_cast<int>(std::lround(std::clamp(pixels, -kCoordinateLimit, kCoordinateLimit)));
}

}  // namespace

ScopedBitmap CreateTopDownDib(HDC dc, int width, int height, std::uint32_t*& bits) {
    bits = nullptr;
    if (width <= 0 || height <= 0) return {};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* memory = nullptr;
    ScopedBitmap bitmap(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &memory, nullptr, 0));
    if (!bitmap || !memory) return {};
    bits = static_cast<std::uint32_t*>(memory);
    return bitmap;
}

PersistentImage::Dib::~Dib() { Release(); }

void PersistentImage::Dib::Release() {
    if (original_ && dc_.get()) SelectObject(dc_.get(), original_);
    original_ = nullptr;
    bitmap_.reset();
    bits_ = nullptr;
}

bool PersistentImage::Dib::Create(int width, int height) {
    Release();
    if (!dc_.get() || width <= 0 || height <= 0) return false;
    bitmap_ = CreateTopDownDib(dc_.get(), width, height, bits_);
    if (!bitmap_) return false;
    original_ = SelectObject(dc_.get(), bitmap_.get());
    // One pen for every line: the DC pen, whose colour each line sets.
    SelectObject(dc_.get(), GetStockObject(DC_PEN));
    return true;
}

PersistentImage::PersistentImage() = default;

bool PersistentImage::Resize(int widthPixels, int heightPixels, double twipsPerPixelX, double twipsPerPixelY) {
    hasBackground_ = false;
    width_ = height_ = 0;
    twipsPerPixelX_ = twipsPerPixelX > 0 ? twipsPerPixelX : 15;
    twipsPerPixelY_ = twipsPerPixelY > 0 ? twipsPerPixelY : 15;
    if (!image_.Create(widthPixels, heightPixels)) return false;  // a new DIB section is all zeros: black
    width_ = widthPixels;
    height_ = heightPixels;
    return true;
}

const std::uint32_t* PersistentImage::Pixels() const {
    GdiFlush();
    return image_.Bits();
}

bool PersistentImage::KeepAsBackground() {
    if (!image_.Bits()) return false;
    if (!background_.Create(width_, height_)) return false;
    hasBackground_ = BitBlt(background_.Dc(), 0, 0, width_, height_, image_.Dc(), 0, 0, SRCCOPY) != 0;
    return hasBackground_;
}

void PersistentImage::Cls() {
    if (!image_.Bits()) return;
    if (hasBackground_) {
        BitBlt(image_.Dc(), 0, 0, width_, height_, background_.Dc(), 0, 0, SRCCOPY);
    } else {
        PatBlt(image_.Dc(), 0, 0, width_, height_, BLACKNESS);
    }
}

int PersistentImage::ToPixelX(double x) const { return ToPixel(x, twipsPerPixelX_); }
int PersistentImage::ToPixelY(double y) const { return ToPixel(y, twipsPerPixelY_); }

void PersistentImage::Line(double x1, double y1, double x2, double y2, std::uint32_t rgb) {
    HDC dc = image_.Dc();
    if (!image_.Bits()) return;
    SetDCPenColor(dc, rgb);
    MoveToEx(dc, ToPixelX(x1), ToPixelY(y1), nullptr);
    LineTo(dc, ToPixelX(x2), ToPixelY(y2));
}

void PersistentImage::Refresh(HWND window) const {
    if (!window || !image_.Bits()) return;
    ScopedWindowDC target(window);
    if (target.get()) PaintTo(target.get());
}

void PersistentImage::PaintTo(HDC dc) const {
    if (image_.Bits()) BitBlt(dc, 0, 0, width_, height_, image_.Dc(), 0, 0, SRCCOPY);
}

}  // namespace spindle
