// The preview form Spindlewave_R: borderless and black, with Img_Prev showing the still picture
// at its own size from the top-left corner. It unloads when its window goes, whoever destroys
// it (the host closing its box destroys its children too), and it watches the host in case the
// host's process vanishes without that.
#include "preview/preview_form_win.h"

#include <windows.h>

#include <algorithm>
#include <memory>

#include "resource_ids.h"
#include "runtime/base_window_win.h"
#include "runtime/conversions.h"
#include "runtime/event_loop_win.h"
#include "runtime/picture_win.h"
#include "runtime/runtime_error.h"
#include "runtime/dpi.h"
#include "runtime/dpi_win.h"
#include "preview/preview_start.h"

namespace spindle {
namespace {

constexpr UINT_PTR kHostWatch = 1;
constexpr UINT kHostWatchInterval = 250;

HWND HostWindow(std::int32_t host) {
    return reinterpret_cast<HWND>(static_cast<LONG_PTR>(host));  // handles widen with their sign
}

int ToPixels(double value) {
    return RoundToInt32(std::clamp(value, -1e9, 1e9));
}

class PreviewForm : public BaseWindow<PreviewForm> {
public:
    PreviewForm() : imgPrev_(LoadPictureResource(IDR_PREVIEW_PICTURE)) {}

    static const wchar_t* ClassName() { return L"Spindlewave_R"; }

    bool Load() {
        static ScopedBrush black(CreateSolidBrush(RGB(0, 0, 0)));
        if (!CreateWindowOf(L"Preview Window", WS_POPUP, 0, 0, 0, 0, 0, nullptr, black.get())) return false;
        loaded_ = true;
        NoteFormLoaded();
        return true;
    }

    void WatchHost(HWND host) {
        host_ = host;
        SetTimer(Window(), kHostWatch, kHostWatchInterval, nullptr);
    }

    void PlaceImage(int left, int top, int width, int height) {
        imageRect_ = RECT{left, top, left + std::max(width, 0), top + std::max(height, 0)};
        if (Window()) InvalidateRect(Window(), nullptr, TRUE);
    }

    void Unload() {
        if (Window()) DestroyWindow(Window());  // WM_NCDESTROY notes the unload
    }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
        case WM_PAINT: {
            ScopedPaint paint(Window());
            Paint(paint.get());
            return 0;
        }
        case WM_TIMER:
            if (wParam == kHostWatch && host_ && !IsWindow(host_)) Unload();
            return 0;
        default:
            return DefaultHandling(message, wParam, lParam);
        }
    }

    // Form_Unload: with no form left the message loop ends, and with it the process.
    void OnWindowDestroyed() override {
        if (!loaded_) return;
        loaded_ = false;
        NoteFormUnloaded();
    }

private:
    // The image control: its picture at its own size from its top-left corner, cut at its edges.
    void Paint(HDC dc) const {
        if (!imgPrev_.Loaded()) return;
        const int width = std::min<int>(imgPrev_.Width(), imageRect_.right - imageRect_.left);
        const int height = std::min<int>(imgPrev_.Height(), imageRect_.bottom - imageRect_.top);
        if (width > 0 && height > 0)
            BitBlt(dc, imageRect_.left, imageRect_.top, width, height, imgPrev_.Dc(), 0, 0, SRCCOPY);
    }

    PictureImage imgPrev_;
    RECT imageRect_{0, 0, 152, 112};  // the design size
    HWND host_ = nullptr;
    bool loaded_ = false;
};

class Win32Preview : public PreviewPort {
public:
    explicit Win32Preview(std::unique_ptr<PreviewForm>& form) : form_(form) {}

    bool HostIsWindow(std::int32_t host) override { return host != 0 && IsWindow(HostWindow(host)); }
    HostRect HostWindowRect(std::int32_t host) override {
        dpiOf_ = HostWindow(host);
        RECT rect{};
        if (!GetWindowRect(HostWindow(host), &rect)) rect = RECT{};
        return HostRect{rect.left, rect.top, rect.right, rect.bottom};
    }
    // The host box's own DPI (its monitor's), else the system's.
    double TwipsPerPixelX() override { return TwipsPerPixelAt(DpiOfWindow(dpiOf_)); }
    double TwipsPerPixelY() override { return TwipsPerPixelX(); }
    void LoadForm() override {
        form_ = std::make_unique<PreviewForm>();
        if (!form_->Load()) throw RuntimeError(RuntimeError::Kind::Platform, "preview form");
    }
    std::uint32_t FormStyle() override { return static_cast<std::uint32_t>(GetWindowLongW(Form(), GWL_STYLE)); }
    void SetFormStyle(std::uint32_t style) override { SetWindowLongW(Form(), GWL_STYLE, static_cast<LONG>(style)); }
    void SetFormParent(std::int32_t host) override {
        SetParent(Form(), HostWindow(host));
        form_->WatchHost(HostWindow(host));
    }
    void MoveForm(double left, double top, double width, double height) override {
        const double x = TwipsPerPixelX(), y = TwipsPerPixelY();
        MoveWindow(Form(), ToPixels(left / x), ToPixels(top / y), ToPixels(width / x), ToPixels(height / y), TRUE);
    }
    void PlaceImage(double left, double top, double width, double height) override {
        form_->PlaceImage(ToPixels(left), ToPixels(top), ToPixels(width), ToPixels(height));
    }
    void ShowForm() override { ShowWindow(Form(), SW_SHOWNORMAL); }
    void UnloadForm() override {
        if (form_) form_->Unload();
    }
    void EndProcess() override { ExitProcess(0); }

private:
    HWND Form() const { return form_ ? form_->Window() : nullptr; }
    std::unique_ptr<PreviewForm>& form_;
    HWND dpiOf_ = nullptr;  // the host box, once its place has been asked for
};

}  // namespace

void StartPreview(std::int32_t hostHandle) {
    // The form lives until the process ends.
    static std::unique_ptr<PreviewForm> form;
    Win32Preview platform(form);
    StartPreview(hostHandle, platform);
}

}  // namespace spindle
