// Display and Pic_D of the saver window.
#include "saver/saver_display_win.h"

#include "resource_ids.h"
#include "runtime/runtime_error.h"

namespace spindle {
namespace {

constexpr double kPictureDesignSize = 320;

[[noreturn]] void Fail(const char* what) { throw RuntimeError(RuntimeError::Kind::Platform, what); }

}  // namespace

SaverDisplay::SaverDisplay() : picD_(LoadPictureResource(IDR_EARTH_PICTURE)) {}

void SaverDisplay::Cover(int widthPixels, int heightPixels, double twipsPerPixelX, double twipsPerPixelY) {
    if (!image_.Resize(widthPixels, heightPixels, twipsPerPixelX, twipsPerPixelY)) Fail("display");
}

double SaverDisplay::PictureWidth() const { return picD_.Loaded() ? picD_.Width() : kPictureDesignSize; }
double SaverDisplay::PictureHeight() const { return picD_.Loaded() ? picD_.Height() : kPictureDesignSize; }

void SaverDisplay::CopyPicture(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
    if (!picD_.Loaded() || !image_.Dc()) Fail("picture");
    BitBlt(image_.Dc(), x, y, width, height, picD_.Dc(), 0, 0, SRCCOPY);
}

void SaverDisplay::KeepAsBackground() {
    if (!image_.KeepAsBackground()) Fail("background");
}

float SaverDisplay::ScaleWidth() { return static_cast<float>(image_.ScaleWidth()); }
float SaverDisplay::ScaleHeight() { return static_cast<float>(image_.ScaleHeight()); }
void SaverDisplay::Cls() { image_.Cls(); }
void SaverDisplay::Line(float x1, float y1, float x2, float y2, std::uint32_t rgb) { image_.Line(x1, y1, x2, y2, rgb); }
void SaverDisplay::Refresh() { image_.Refresh(window_); }

}  // namespace spindle
