// Planting the preview form into the host's preview box: the steps and their arithmetic, with
// the window calls behind a port.
#pragma once

#include <cstdint>

namespace spindle {

inline constexpr std::uint32_t kWindowStyleChild = 0x40000000;  // WS_CHILD

struct HostRect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

class PreviewPort {
public:
    virtual ~PreviewPort() = default;
    // Whether the handle names an existing window.
    virtual bool HostIsWindow(std::int32_t host) = 0;
    // GetWindowRect in screen pixels; zeros when the call fails.
    virtual HostRect HostWindowRect(std::int32_t host) = 0;
    virtual double TwipsPerPixelX() = 0;
    virtual double TwipsPerPixelY() = 0;
    // Creates Spindlewave_R, not yet visible.
    virtual void LoadForm() = 0;
    virtual std::uint32_t FormStyle() = 0;
    virtual void SetFormStyle(std::uint32_t style) = 0;
    virtual void SetFormParent(std::int32_t host) = 0;
    // Outer position and size in twips.
    virtual void MoveForm(double left, double top, double width, double height) = 0;
    // Img_Prev's position and size in the form's pixels.
    virtual void PlaceImage(double left, double top, double width, double height) = 0;
    virtual void ShowForm() = 0;
    // Unloads the form if it is loaded; with no form left the process ends.
    virtual void UnloadForm() = 0;
    virtual void EndProcess() = 0;
};

// Plants the preview into host. A handle that names no window ends the process at once rather
// than leaving an invisible form alive; any failing step unloads the form, which ends it too.
void StartPreview(std::int32_t host, PreviewPort& platform);

}  // namespace spindle
