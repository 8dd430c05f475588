// The preview start, step by step.
#include "preview/preview_start.h"

#include <exception>

#include "runtime/conversions.h"

namespace spindle {

void StartPreview(std::int32_t host, PreviewPort& platform) {
    if (!platform.HostIsWindow(host)) {
        platform.EndProcess();
        return;
    }
    bool loaded = false;
    try {
        const HostRect rect = platform.HostWindowRect(host);
        // Twips, rounded half to even to 16 bits; a box too large for that is an error.
        const std::int16_t width = RoundToInt16(static_cast<double>(rect.right - rect.left) * platform.TwipsPerPixelX());
        const std::int16_t height =
            RoundToInt16(static_cast<double>(rect.bottom - rect.top) * platform.TwipsPerPixelY());
        platform.LoadForm();
        loaded = true;
        platform.SetFormStyle(platform.FormStyle() | kWindowStyleChild);
        platform.SetFormParent(host);
        platform.MoveForm(0, 0, width, height);
        platform.PlaceImage(0, 0, width / platform.TwipsPerPixelX(), height / platform.TwipsPerPixelY());
        platform.ShowForm();
    } catch (const std::exception&) {
        // Nothing is shown for a preview that cannot be planted, and nothing is left running.
        if (loaded) platform.UnloadForm();
        platform.EndProcess();
    }
}

}  // namespace spindle
