// The gradient push button as a child window: unpacks messages into the control's handlers,
// keeps the face as a retained image and draws the caption label over it.
#include "controls/command/command_button_win.h"

#include <cmath>
#include <functional>
#include <optional>

#include "controls/command/command_control.h"
#include "controls/command/command_painter_win.h"
#include "runtime/base_window_win.h"
#include "runtime/colour_win.h"
#include "runtime/conversions.h"
#include "runtime/dpi.h"
#include "runtime/dpi_win.h"
#include "runtime/runtime_error.h"
#include "runtime/scoped_gdi_win.h"
#include "runtime/wide_text_win.h"

namespace spindle {
namespace {

constexpr UINT_PTR kMouseTimerId = 1;

int TwipsToPixels(float twips) {
    int pixels = 0;
    RunStep([&] { pixels = RoundToInt32(twips / kTwipsPerPixel); });
    return pixels;
}

// The shift state as the mouse events pass it: 1 shift, 2 control, 4 alt.
int ShiftState(WPARAM keys) {
    int shift = 0;
    if (keys & MK_SHIFT) shift |= 1;
    if (keys & MK_CONTROL) shift |= 2;
    if (GetKeyState(VK_MENU) < 0) shift |= 4;
    return shift;
}

int ButtonsDown(WPARAM keys) {
    int buttons = 0;
    if (keys & MK_LBUTTON) buttons |= kLeftButton;
    if (keys & MK_RBUTTON) buttons |= kRightButton;
    if (keys & MK_MBUTTON) buttons |= kMiddleButton;
    return buttons;
}

CaptionFont FontFromLogFont(const LOGFONTW& logFont, int dpi) {
    CaptionFont font;
    font.face = WideToUtf8(logFont.lfFaceName);
    if (logFont.lfHeight != 0 && dpi > 0) font.pointSize = std::abs(logFont.lfHeight) * 72.0 / dpi;
    font.weight = logFont.lfWeight == 0 ? 400 : static_cast<int>(logFont.lfWeight);
    font.italic = logFont.lfItalic != 0;
    font.underline = logFont.lfUnderline != 0;
    font.strikethrough = logFont.lfStrikeOut != 0;
    font.charset = logFont.lfCharSet;
    return font;
}

}  // namespace

class CommandButtonWindow : public BaseWindow<CommandButtonWindow>,
                            private CommandFacePort,
                            private PointerPort,
                            private CommandHostPort {
public:
    explicit CommandButtonWindow(CommandButton& owner) : owner_(owner), control_(*this, *this, *this) {}

    static const wchar_t* ClassName() { return L"SpindleCommandButton"; }

    bool Create(HWND parent, int x, int y, int width, int height, int controlId, const PropertyBag* stored) {
        if (!CreateWindowOf(L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, 0, x, y, width, height,
                            parent)) {
            return false;
        }
        SetWindowLongPtrW(Window(), GWLP_ID, controlId);
        MemoryPropertyBag defaults;
        ReadProperties(stored ? *stored : defaults);
        loaded_ = true;
        control_.UserControl_Resize();
        return true;
    }

    CommandControl& Control() { return control_; }

    void ReadProperties(const PropertyBag& stored) {
        control_.UserControl_ReadProperties(stored);
        SyncWindowEnabled();
    }

    // The window takes part in focus and input only while the button is enabled.
    void SyncWindowEnabled() {
        if (!Window()) return;
        bool enabled = control_.ButtonEnabled();
        if ((IsWindowEnabled(Window()) != FALSE) != enabled) EnableWindow(Window(), enabled);
    }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
            case WM_PAINT: OnPaint(); return 0;
            case WM_ERASEBKGND: return 1;
            case WM_SIZE:
                if (loaded_) control_.UserControl_Resize();
                return 0;
            case WM_SETFOCUS: control_.UserControl_GotFocus(); return 0;
            case WM_KILLFOCUS: control_.UserControl_LostFocus(); return 0;
            case WM_ENABLE:
                if (loaded_ && (wParam != 0) != control_.ButtonEnabled()) control_.SetEnabled(wParam != 0);
                return 0;
            case WM_TIMER:
                if (wParam == kMouseTimerId) control_.TmrMouse_Timer();
                return 0;
            case WM_MOUSEMOVE:
                control_.UserControl_MouseMove(ButtonsDown(wParam), ShiftState(wParam), Twips(GET_X(lParam)),
                                               Twips(GET_Y(lParam)));
                return 0;
            case WM_LBUTTONDOWN:
            case WM_LBUTTONDBLCLK:
                // Focus arrives with the press, before the press itself is handled.
                if (GetFocus() != Window()) SetFocus(Window());
                OnButtonDown(kLeftButton, wParam, lParam);
                return 0;
            case WM_RBUTTONDOWN:
            case WM_RBUTTONDBLCLK: OnButtonDown(kRightButton, wParam, lParam); return 0;
            case WM_MBUTTONDOWN:
            case WM_MBUTTONDBLCLK: OnButtonDown(kMiddleButton, wParam, lParam); return 0;
            case WM_LBUTTONUP: OnButtonUp(kLeftButton, wParam, lParam); return 0;
            case WM_RBUTTONUP: OnButtonUp(kRightButton, wParam, lParam); return 0;
            case WM_MBUTTONUP: OnButtonUp(kMiddleButton, wParam, lParam); return 0;
            default: return DefaultHandling(message, wParam, lParam);
        }
    }

private:
    static int GET_X(LPARAM lParam) { return static_cast<short>(LOWORD(lParam)); }
    static int GET_Y(LPARAM lParam) { return static_cast<short>(HIWORD(lParam)); }
    static float Twips(int pixels) { return static_cast<float>(pixels * kTwipsPerPixel); }

    void OnButtonDown(int button, WPARAM wParam, LPARAM lParam) {
        SetCapture(Window());
        control_.UserControl_MouseDown(button, ShiftState(wParam), Twips(GET_X(lParam)), Twips(GET_Y(lParam)));
    }

    void OnButtonUp(int button, WPARAM wParam, LPARAM lParam) {
        if (GetCapture() == Window() && ButtonsDown(wParam) == 0) ReleaseCapture();
        bool click =
            control_.UserControl_MouseUp(button, ShiftState(wParam), Twips(GET_X(lParam)), Twips(GET_Y(lParam)));
        if (!click) return;
        // The handler may destroy this button: nothing of it is touched after the call.
        std::function<void()> handler = owner_.onClick;
        if (handler) handler();
    }

    // --- the face ---

    SIZE ClientPixels() const {
        RECT client{};
        if (Window()) GetClientRect(Window(), &client);
        return SIZE{client.right - client.left, client.bottom - client.top};
    }

    FaceSize Size() const override {
        SIZE pixels = ClientPixels();
        return FaceSize{static_cast<float>(pixels.cx * kTwipsPerPixel), static_cast<float>(pixels.cy * kTwipsPerPixel),
                        static_cast<float>(pixels.cx), static_cast<float>(pixels.cy)};
    }

    void Paint(const PaintPlan& plan) override {
        SIZE pixels = ClientPixels();
        if (pixels.cx <= 0 || pixels.cy <= 0) return;
        if (!face_ || faceSize_.cx != pixels.cx || faceSize_.cy != pixels.cy) {
            ScopedWindowDC screen(Window());
            face_.reset(CreateCompatibleBitmap(screen.get(), pixels.cx, pixels.cy));
            faceSize_ = pixels;
        }
        if (!face_) return;
        {
            ScopedMemoryDC dc(nullptr);
            ScopedSelectObject selected(dc.get(), face_.get());
            painter_.CarryOut(dc.get(), pixels, GetSysColor(COLOR_BTNFACE), plan);
        }
        Refresh();
    }

    void LabelChanged() override { InvalidateRect(Window(), nullptr, FALSE); }
    void OpacityChanged() override { InvalidateRect(Window(), nullptr, FALSE); }

    void Refresh() {
        if (Window()) RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }

    void OnPaint() {
        ScopedPaint paint(Window());
        HDC dc = paint.get();
        if (!dc) return;
        SIZE pixels = ClientPixels();
        // Composed off screen, so a repaint never shows the face without its caption.
        ScopedMemoryDC canvas(dc);
        ScopedBitmap canvasBitmap(CreateCompatibleBitmap(dc, pixels.cx, pixels.cy));
        if (!canvas.get() || !canvasBitmap) return;
        ScopedSelectObject canvasSelected(canvas.get(), canvasBitmap.get());
        RECT whole{0, 0, pixels.cx, pixels.cy};
        if (!control_.Transparent() && face_) {
            ScopedMemoryDC faceDc(dc);
            ScopedSelectObject faceSelected(faceDc.get(), face_.get());
            BitBlt(canvas.get(), 0, 0, pixels.cx, pixels.cy, faceDc.get(), 0, 0, SRCCOPY);
        } else {
            FillRect(canvas.get(), &whole, HostBackground());
        }
        DrawLabel(canvas.get());
        BitBlt(dc, 0, 0, pixels.cx, pixels.cy, canvas.get(), 0, 0, SRCCOPY);
    }

    // A transparent face shows the host's own background.
    HBRUSH HostBackground() const {
        HWND host = GetParent(Window());
        auto brush = host ? reinterpret_cast<HBRUSH>(GetClassLongPtrW(host, GCLP_HBRBACKGROUND)) : nullptr;
        return brush ? brush : GetSysColorBrush(COLOR_BTNFACE);
    }

    void DrawLabel(HDC dc) {
        const CaptionLabel& label = control_.Label();
        // The caption follows the DPI of the monitor the dialog is on.
        const int dpi = DpiOfWindow(Window());
        if (!labelFont_ || labelCaptionFont_ != label.font || labelFontDpi_ != dpi) {
            LOGFONTW logFont{};
            logFont.lfHeight = FontHeightAt(label.font.pointSize, dpi);
            logFont.lfWeight = label.font.weight;
            logFont.lfItalic = label.font.italic;
            logFont.lfUnderline = label.font.underline;
            logFont.lfStrikeOut = label.font.strikethrough;
            logFont.lfCharSet = label.font.charset;
            std::wstring face = Utf8ToWide(label.font.face);
            lstrcpynW(logFont.lfFaceName, face.c_str(), LF_FACESIZE);
            labelFont_.reset(CreateFontIndirectW(&logFont));
            labelCaptionFont_ = label.font;
            labelFontDpi_ = dpi;
        }
        std::wstring text = Utf8ToWide(label.text);
        RECT box{TwipsToPixels(label.left), TwipsToPixels(label.top), 0, 0};
        box.right = box.left + TwipsToPixels(label.width);
        // The caption's height is designed for 96 DPI: as high as the font at this one, centred where it was.
        const int designed = TwipsToPixels(label.height), height = PixelsFrom96(designed, dpi);
        box.top -= (height - designed) / 2;
        box.bottom = box.top + height;
        ScopedSelectObject font(dc, labelFont_ ? static_cast<HGDIOBJ>(labelFont_.get()) : GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(dc, TRANSPARENT);
        const UINT format = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX;
        if (label.enabled) {
            SetTextColor(dc, ResolveColour(label.colour));
            DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, format);
        } else {
            // Greyed: a light copy one pixel down and right under the grey text.
            RECT shifted = box;
            OffsetRect(&shifted, 1, 1);
            SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
            DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &shifted, format);
            SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
            DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, format);
        }
    }

    // --- the pointer ---

    std::optional<Point> CursorPosition() override {
        POINT position{};
        if (!GetCursorPos(&position)) return std::nullopt;
        return Point{position.x, position.y};
    }

    WindowId WindowFromPoint(Point point) override {
        return reinterpret_cast<WindowId>(::WindowFromPoint(POINT{point.x, point.y}));
    }

    void StartTimer(int intervalMilliseconds) override {
        if (Window()) SetTimer(Window(), kMouseTimerId, static_cast<UINT>(intervalMilliseconds), nullptr);
    }

    // --- the host ---

    void PropertyChanged(std::string_view) override {}

    CaptionFont AmbientFont() const override {
        HWND host = Window() ? GetParent(Window()) : nullptr;
        auto font = host ? reinterpret_cast<HFONT>(SendMessageW(host, WM_GETFONT, 0, 0)) : nullptr;
        LOGFONTW logFont{};
        if (font && GetObjectW(font, sizeof logFont, &logFont) == sizeof logFont) {
            return FontFromLogFont(logFont, DpiOfWindow(Window()));
        }
        return DesignedCaptionFont();
    }

    WindowId HostWindow() const override { return reinterpret_cast<WindowId>(Window() ? GetParent(Window()) : nullptr); }
    WindowId OwnWindow() const override { return reinterpret_cast<WindowId>(Window()); }
    bool OwnWindowHasFocus() const override { return Window() && GetFocus() == Window(); }

    CommandButton& owner_;
    CommandControl control_;
    CommandPainterWin painter_;
    ScopedBitmap face_;
    SIZE faceSize_{0, 0};
    ScopedFont labelFont_;
    CaptionFont labelCaptionFont_;
    int labelFontDpi_ = 0;
    bool loaded_ = false;
};

CommandButton::CommandButton() = default;
CommandButton::~CommandButton() = default;

bool CommandButton::Create(HWND parent, int x, int y, int width, int height, int controlId,
                           const PropertyBag* stored) {
    if (window_) return false;
    auto window = std::make_unique<CommandButtonWindow>(*this);
    if (!window->Create(parent, x, y, width, height, controlId, stored)) return false;
    window_ = std::move(window);
    return true;
}

HWND CommandButton::Window() const { return window_ ? window_->Window() : nullptr; }

void CommandButton::Initialize() {
    if (window_) window_->Control().Initialize();
}

void CommandButton::SetCaption(const std::string& utf8) {
    if (window_) window_->Control().SetCaption(utf8);
}

std::string CommandButton::Caption() const { return window_ ? window_->Control().Caption() : std::string(); }

void CommandButton::SetFont(const std::string& faceUtf8, double pointSize, bool bold, std::uint8_t charset) {
    CaptionFont font;
    font.face = faceUtf8;
    font.pointSize = pointSize;
    font.weight = bold ? 700 : 400;
    font.charset = charset;
    SetFont(font);
}

void CommandButton::SetFont(const CaptionFont& font) {
    if (window_) window_->Control().SetFont(font);
}

CaptionFont CommandButton::Font() const { return window_ ? window_->Control().Font() : DesignedCaptionFont(); }

void CommandButton::SetFontColour(COLORREF colour) {
    if (window_) window_->Control().SetFontColour(static_cast<std::int64_t>(colour));
}

COLORREF CommandButton::FontColour() { return window_ ? window_->Control().FontColour() : 0; }

void CommandButton::SetEnabled(bool enabled) {
    if (!window_) return;
    window_->Control().SetEnabled(enabled);
    window_->SyncWindowEnabled();
}

bool CommandButton::Enabled() {
    if (!window_) return false;
    bool enabled = window_->Control().Enabled();
    window_->SyncWindowEnabled();
    return enabled;
}

void CommandButton::SetVisible(std::uint8_t visible) {
    if (window_) window_->Control().SetVisible(visible);
}

std::uint8_t CommandButton::Visible() { return window_ ? window_->Control().Visible() : 0; }

void CommandButton::ReadProperties(const PropertyBag& stored) {
    if (window_) window_->ReadProperties(stored);
}

void CommandButton::WriteProperties(PropertyBag& store) {
    if (window_) window_->Control().UserControl_WriteProperties(store);
}

std::uint8_t CommandButton::LookState() const { return window_ ? window_->Control().LookState() : 0; }

}  // namespace spindle
