// The Displays and Pic_D of the saver window.
#include "saver/saver_display_win.h"

#include "resource_ids.h"
#include "runtime/runtime_error.h"

namespace spindle {
namespace {

constexpr double kPictureDesignSize = 320;

[[noreturn]] void Fail(const char* what) { throw RuntimeError(RuntimeError::Kind::Platform, what); }

}  // namespace

float MonitorDisplay::ScaleWidth() { return static_cast<float>(image_.ScaleWidth()); }
float MonitorDisplay::ScaleHeight() { return static_cast<float>(image_.ScaleHeight()); }
void MonitorDisplay::Cls() { image_.Cls(); }
void MonitorDisplay::Line(float x1, float y1, float x2, float y2, std::uint32_t rgb) {
    image_.Line(x1, y1, x2, y2, rgb);
}
void MonitorDisplay::Refresh() { image_.Refresh(window_); }

SaverDisplay::SaverDisplay() : picD_(LoadPictureResource(IDR_EARTH_PICTURE)) {}

void SaverDisplay::Cover(const std::vector<PixelSize>& monitors) {
    monitors_.resize(monitors.size());
    bool covered = true;
    for (std::size_t m = 0; m < monitors.size(); ++m) {
        if (!monitors_[m]) monitors_[m] = std::make_unique<MonitorDisplay>();
        const double twipsPerPixel = TwipsPerPixelAt(monitors[m].Dpi);
        covered &= monitors_[m]->Image().Resize(monitors[m].Width, monitors[m].Height, twipsPerPixel, twipsPerPixel);
    }
    if (!covered) Fail("display");
}

double SaverDisplay::PictureWidth() const { return picD_.Loaded() ? picD_.Width() : kPictureDesignSize; }
double SaverDisplay::PictureHeight() const { return picD_.Loaded() ? picD_.Height() : kPictureDesignSize; }

void SaverDisplay::CopyPicture(int monitor, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
    HDC target = At(monitor).Image().Dc();
    if (!picD_.Loaded() || !target) Fail("picture");
    BitBlt(target, x, y, width, height, picD_.Dc(), 0, 0, SRCCOPY);
}

void SaverDisplay::KeepAsBackground() {
    bool kept = true;
    for (auto& monitor : monitors_) kept &= monitor->Image().KeepAsBackground();
    if (!kept) Fail("background");
}

MonitorDisplay* SaverDisplay::Find(HWND window) {
    for (auto& monitor : monitors_) {
        if (monitor->Window() == window) return monitor.get();
    }
    return nullptr;
}

}  // namespace spindle
