// The settings dialog's window: its controls at their places, and their events handed to the
// dialog's routines.
#include "settings_dialog/settings_form_win.h"

#include <algorithm>
#include <cmath>

#include "resource_ids.h"
#include "runtime/dpi.h"
#include "runtime/dpi_win.h"
#include "runtime/event_loop_win.h"
#include "runtime/runtime_error.h"
#include "runtime/screen_win.h"
#include "runtime/wide_text_win.h"

namespace spindle {
namespace {

enum ControlId { kPic1Id = 100, kCmdSetId, kCmdCanId, kCmdBgmId, kBgmRepeatId, kHsFastId };

const COLORREF kBackColour = RGB(128, 128, 128);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

const wchar_t* const kCaptionFace = L"\xFF2D\xFF33 \xFF30\x30B4\x30B7\x30C3\x30AF";  // ＭＳ Ｐゴシック
constexpr double kCaptionPoints = kDialogFontPoints;

LabelFont DialogFont(bool underline = false) {
    return LabelFont{kCaptionFace, kCaptionPoints, FW_NORMAL, underline, SHIFTJIS_CHARSET};
}

// Screen pixels and twips as the screen measures them, for the dialog's place on it.
int PixelsX(int twips) { return static_cast<int>(std::lround(twips / TwipsPerPixelX())); }
int PixelsY(int twips) { return static_cast<int>(std::lround(twips / TwipsPerPixelY())); }

RECT ToRect(const PlacedRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

void MoveChild(HWND child, const PlacedRect& r, int extraHeight = 0) {
    MoveWindow(child, r.left, r.top, r.right - r.left, r.bottom - r.top + extraHeight, TRUE);
}

}  // namespace

SettingsForm::SettingsForm(SettingsValues& values, SettingsDialogPlatform& platform)
    : dialog_(values, *this, platform), hsFast_(kSpeedMin, kSpeedMax, 1, 1, 1) {}

SettingsForm::~SettingsForm() {
    // The window goes before the controls it would still paint or notify.
    if (HWND window = Window()) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
    }
}

template <typename Handler>
void SettingsForm::Raise(Handler&& handler) {
    try {
        handler();
    } catch (...) {
        // A failing handler changes nothing further; the dialog carries on.
    }
}

bool SettingsForm::Create() {
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    // Made at the system's DPI, then laid out at the DPI of the monitor it is on.
    const PixelExtent roughClient = DialogClientAt(DpiOfWindow(nullptr));
    RECT frame{0, 0, roughClient.width, roughClient.height};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    if (!CreateWindowOf(kSettingsDialogCaption, style, 0, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                        nullptr)) {
        return false;
    }
    dpi_ = DpiOfWindow(Window());
    host_.Attach(Window());
    host_.SetDpi(dpi_);
    host_.SetBackColour(kBackColour);
    // Until the program carries its icon, LoadIcon gives nothing and the window keeps the default.
    if (HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_SPINDLEWAVE))) {
        SendMessageW(Window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageW(Window(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
    CreateControls();
    SizeClient();
    return true;
}

void SettingsForm::SizeClient() {
    // The frame as this window has it at its DPI: the client area is what is designed.
    RECT frame{}, client{};
    GetWindowRect(Window(), &frame);
    GetClientRect(Window(), &client);
    const PixelExtent wanted = DialogClientAt(dpi_);
    if (client.right == wanted.width && client.bottom == wanted.height) return;
    SetWindowPos(Window(), nullptr, 0, 0, frame.right - frame.left - client.right + wanted.width,
                 frame.bottom - frame.top - client.bottom + wanted.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

WindowlessLabel& SettingsForm::Place(WindowlessLabel& label, const DesignRect& design) {
    labels_.push_back(&label);
    Place(static_cast<WindowlessControl&>(label), design);
    return label;
}

void SettingsForm::Place(WindowlessControl& control, const DesignRect& design) {
    placed_.push_back({&control, design});
}

void SettingsForm::LoadMarks() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const int side = MarkPixelsAt(dpi_);
    // Drawn for 96 DPI; at another the picture is scaled as a whole, so the mark keeps its size on screen.
    auto load = [&](int id) {
        return ScopedBitmap(static_cast<HBITMAP>(
            LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, side, side, LR_DEFAULTCOLOR)));
    };
    markUnselected_ = load(IDB_MARK_UNSELECTED);
    markSelected_ = load(IDB_MARK_SELECTED);
}

void SettingsForm::FollowDpi(int dpi, const RECT* suggested) {
    if (dpi == dpi_ && !suggested) return;
    dpi_ = dpi;
    host_.SetDpi(dpi);
    pic1_.Host().SetDpi(dpi);
    captionFont_ = CreateLabelFont(DialogFont(), dpi);
    bool selected[kMusicChoiceCount] = {};
    for (int index = 0; index < kMusicChoiceCount; ++index) selected[index] = MarkSelected(index);
    // The old pictures stay until no control shows them.
    ScopedBitmap oldUnselected(std::move(markUnselected_)), oldSelected(std::move(markSelected_));
    LoadMarks();
    imgRa_[0]->SetPicture(markUnselected_.get());
    imgRa_[1]->SetPicture(markSelected_.get());
    for (int index = 0; index < kMusicChoiceCount; ++index) imgBgm_[index]->SetPicture(imgRa_[selected[index]]->Picture());

    if (suggested) {
        SetWindowPos(Window(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SizeClient();
    MoveChild(pic1_.Window(), PlaceAt(kPic1Design, dpi));
    MoveChild(cmdSet_.Window(), PlaceAt(kCmdSetDesign, dpi));
    MoveChild(cmdCan_.Window(), PlaceAt(kCmdCanDesign, dpi));
    MoveChild(cmdBgm_.Window(), PlaceAt(kCmdBgmDesign, dpi));
    MoveChild(hsFast_.Window(), PlaceAt(kSpeedBarDesign, dpi));
    SendMessageW(bgmRepeat_, WM_SETFONT, reinterpret_cast<WPARAM>(captionFont_.get()), TRUE);
    MoveChild(bgmRepeat_, PlaceAt(kRepeatBoxDesign, dpi), DropListPixelsAt(dpi));
    for (auto& [control, design] : placed_) control->SetBounds(ToRect(PlaceAt(design, dpi)));
    for (WindowlessLabel* label : labels_) label->FollowDpi();
    for (int index = 0; index < kMusicChoiceCount; ++index) {
        if (selected[index]) ShowFocusCueOn(index);
    }
    // The shading is drawn anew at the new size.
    host_.Cls();
    pic1_.Host().Cls();
    Raise([&] { dialog_.FormResize(); });
    host_.Refresh();
    pic1_.Host().Refresh();
    for (CommandButton* button : {&cmdSet_, &cmdCan_, &cmdBgm_}) InvalidateRect(button->Window(), nullptr, FALSE);
}

WindowlessLabel& SettingsForm::AddLabel(WindowlessHost& host, const RECT& bounds, const char* caption) {
    WindowlessLabel& label = host.Add<WindowlessLabel>(bounds);
    label.SetFont(DialogFont());
    label.SetColour(GetSysColor(COLOR_BTNTEXT));
    label.SetCaption(caption);
    return label;
}

void SettingsForm::CreateControls() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    captionFont_ = CreateLabelFont(DialogFont(), dpi_);
    LoadMarks();
    auto TwipsRect = [this](const DesignRect& design) { return ToRect(PlaceAt(design, dpi_)); };
    auto AddLabel = [&](WindowlessHost& host, const DesignRect& design, const char* caption) -> WindowlessLabel& {
        return Place(this->AddLabel(host, TwipsRect(design), caption), design);
    };

    auto makeButton = [&](CommandButton& button, HWND parent, const DesignRect& design, int id, const char* caption) {
        const RECT bounds = TwipsRect(design);
        button.Create(parent, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, id);
        button.SetCaption(caption);
        button.SetFont(WideToUtf8(kCaptionFace), kCaptionPoints, false, SHIFTJIS_CHARSET);
    };

    // Pic_1, the frame of the settings controls.
    pic1_.Create(Window(), TwipsRect(kPic1Design), kPic1Id, true);
    pic1_.Host().SetDpi(dpi_);
    pic1_.Host().SetBackColour(kBackColour);
    pic1_.onChildNotify = [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        return OnChildNotify(message, wParam, lParam, result);
    };

    // On the form.
    makeButton(cmdSet_, Window(), kCmdSetDesign, kCmdSetId, "設定");
    cmdSet_.onClick = [this] { Raise([&] { dialog_.CmdSetClick(); }); };
    makeButton(cmdCan_, Window(), kCmdCanDesign, kCmdCanId, "ｷｬﾝｾﾙ");
    cmdCan_.onClick = [this] { Raise([&] { dialog_.CmdCanClick(); }); };

    WindowlessLabel& credit = AddLabel(host_, kCreditDesign, kCreditLine);
    credit.SetColour(kWhite);
    credit.SetAutoSize(true);

    lblUrl_ = &AddLabel(host_, kUrlDesign, kHomePageAddress);
    lblUrl_->SetFont(DialogFont(true));
    lblUrl_->SetColour(kWhite);
    lblUrl_->SetAutoSize(true);
    lblUrl_->cursor = LoadCursorW(instance, MAKEINTRESOURCEW(IDC_LINK_HAND));
    lblUrl_->onClick = [this] { Raise([&] { dialog_.LblUrlClick(); }); };

    // Img_Ra: beyond the visible client area, holding the two marks.
    for (int i : {0, 1}) {
        imgRa_[i] = &host_.Add<WindowlessImage>(TwipsRect(kImgRaDesign[i]));
        Place(*imgRa_[i], kImgRaDesign[i]);
    }
    imgRa_[0]->SetPicture(markUnselected_.get());
    imgRa_[1]->SetPicture(markSelected_.get());

    // Inside Pic_1: the music group.
    WindowlessHost& pic = pic1_.Host();
    WindowlessLabel& bgmHeading = AddLabel(pic, kBgmHeadingDesign, "BGM");
    bgmHeading.SetColour(kBlack);
    bgmHeading.SetAlignment(WindowlessLabel::Alignment::Centre);
    WindowlessShape& bgmFrame = pic.Add<WindowlessShape>(TwipsRect(kBgmFrameDesign));
    bgmFrame.SetColour(GetSysColor(COLOR_WINDOWTEXT));
    Place(bgmFrame, kBgmFrameDesign);

    const char* const captions[kMusicChoiceCount] = {"無し", "音楽CD", "MP3、WAV"};
    for (int index : {1, 0, 2}) {
        imgBgm_[index] = &pic.Add<WindowlessImage>(TwipsRect(kImgBgmDesign[index]));
        Place(*imgBgm_[index], kImgBgmDesign[index]);
        imgBgm_[index]->onClick = [this, index] { Raise([&] { dialog_.ImgBgmClick(index); }); };
        lblBgm_[index] = &AddLabel(pic, kLblBgmDesign[index], captions[index]);
        lblBgm_[index]->SetAutoSize(true);
        lblBgm_[index]->onClick = [this, index] { Raise([&] { dialog_.LblBgmClick(index); }); };
        if (index == 1) {
            const RECT box = TwipsRect(kRepeatBoxDesign);
            bgmRepeat_ = CreateWindowExW(0, L"COMBOBOX", L"",
                                         WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                                         box.left, box.top, box.right - box.left,
                                         box.bottom - box.top + DropListPixelsAt(dpi_), pic1_.Window(),
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(kBgmRepeatId)), instance, nullptr);
            SendMessageW(bgmRepeat_, WM_SETFONT, reinterpret_cast<WPARAM>(captionFont_.get()), TRUE);
            AddLabel(pic, kRepeatCaptionDesign, "曲目をﾘﾋﾟｰﾄ").SetAutoSize(true);
        }
    }
    ShowFocusCueOn(1);
    makeButton(cmdBgm_, pic1_.Window(), kCmdBgmDesign, kCmdBgmId, "...");
    cmdBgm_.onClick = [this] { Raise([&] { dialog_.CmdBgmClick(); }); };
    lblFname_ = &AddLabel(pic, kFileNameDesign, "");
    lblFname_->SetBorder(true);
    lblFname_->SetColour(GetSysColor(COLOR_WINDOWTEXT));

    // Inside Pic_1: the speed group.
    WindowlessLabel& speedHeading = AddLabel(pic, kSpeedHeadingDesign, "回転の速さ");
    speedHeading.SetColour(kBlack);
    speedHeading.SetAlignment(WindowlessLabel::Alignment::Centre);
    WindowlessShape& speedFrame = pic.Add<WindowlessShape>(TwipsRect(kSpeedFrameDesign));
    speedFrame.SetColour(GetSysColor(COLOR_WINDOWTEXT));
    Place(speedFrame, kSpeedFrameDesign);
    AddLabel(pic, kSlowDesign, "遅い").SetAutoSize(true);
    hsFast_.Create(pic1_.Window(), TwipsRect(kSpeedBarDesign), kHsFastId);
    hsFast_.onChange = [this] { Raise([&] { dialog_.HsFastChange(); }); };
    hsFast_.onScroll = [this] { Raise([&] { dialog_.HsFastScroll(); }); };
    AddLabel(pic, kFastDesign, "速い").SetAutoSize(true);
    lblFast_ = &AddLabel(pic, kSpeedCaptionDesign, "10");
    lblFast_->SetAlignment(WindowlessLabel::Alignment::Centre);
}

void SettingsForm::LoadAndShow() {
    Raise([&] { dialog_.FormLoad(); });
    if (!IsOpen()) return;
    Raise([&] { dialog_.FormResize(); });
    host_.Refresh();
    pic1_.Host().Refresh();
    ShowWindow(Window(), SW_SHOW);
    SetForegroundWindow(Window());
    UpdateWindow(Window());
}

bool SettingsForm::MarkSelected(int index) const {
    return index >= 0 && index < kMusicChoiceCount && imgBgm_[index]->Picture() == imgRa_[1]->Picture();
}

RECT SettingsForm::MarkBounds(int index) const { return imgBgm_.at(index)->Bounds(); }

RECT SettingsForm::MusicCaptionBounds(int index) const { return lblBgm_.at(index)->Bounds(); }

void SettingsForm::SetPointerOverride(HCURSOR pointer) {
    host_.SetPointerOverride(pointer);
    pic1_.Host().SetPointerOverride(pointer);
}

double SettingsForm::DialogWidthTwips() {
    RECT frame{};
    GetWindowRect(Window(), &frame);
    return (frame.right - frame.left) * TwipsPerPixelX();
}

double SettingsForm::DialogHeightTwips() {
    RECT frame{};
    GetWindowRect(Window(), &frame);
    return (frame.bottom - frame.top) * TwipsPerPixelY();
}

void SettingsForm::MoveTo(std::int32_t leftTwips, std::int32_t topTwips) {
    SetWindowPos(Window(), nullptr, PixelsX(leftTwips), PixelsY(topTwips), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SettingsForm::InitButtons() {
    for (CommandButton* button : {&cmdSet_, &cmdCan_, &cmdBgm_}) button->Initialize();
}

void SettingsForm::SetSpeedBarValue(int value) { hsFast_.SetValue(value); }

int SettingsForm::SpeedBarValue() { return hsFast_.Value(); }

void SettingsForm::SetSpeedCaption(const std::string& text) { lblFast_->SetCaption(text); }

void SettingsForm::ShowMark(int index, bool selected) {
    if (index < 0 || index >= kMusicChoiceCount) {
        throw RuntimeError(RuntimeError::Kind::Platform, "no such control array element");
    }
    imgBgm_[index]->SetPicture(imgRa_[selected ? 1 : 0]->Picture());
    if (selected) ShowFocusCueOn(index);
}

void SettingsForm::ShowFocusCueOn(int index) {
    RECT cue = lblBgm_.at(index)->Bounds();
    InflateRect(&cue, 2, 1);
    pic1_.Host().SetFocusCue(cue);
}

void SettingsForm::SetRepeatText(const std::string& text) { SetWindowTextW(bgmRepeat_, Utf8ToWide(text).c_str()); }

std::string SettingsForm::RepeatText() {
    const int length = GetWindowTextLengthW(bgmRepeat_);
    std::wstring text(static_cast<std::size_t>(std::max(length, 0)) + 1, L'\0');
    const int copied = GetWindowTextW(bgmRepeat_, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return WideToUtf8(text);
}

void SettingsForm::AddRepeatEntry(const std::string& text) {
    const std::wstring entry = Utf8ToWide(text);
    SendMessageW(bgmRepeat_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
}

void SettingsForm::SetFileCaption(const std::string& text) { lblFname_->SetCaption(text); }

std::string SettingsForm::LinkCaption() { return lblUrl_->Caption(); }

int SettingsForm::InteriorHeight(ShadedSurface surface) {
    return surface == ShadedSurface::Form ? host_.ScaleHeight() : pic1_.Host().ScaleHeight();
}

void SettingsForm::DrawShadingLine(ShadedSurface surface, int y, ShadeColour colour) {
    WindowlessHost& host = surface == ShadedSurface::Form ? host_ : pic1_.Host();
    host.Line(0, y, host.ScaleWidth(), y, RGB(colour.red, colour.green, colour.blue));
}

void SettingsForm::Unload() {
    if (unloading_ || !Window()) return;
    unloading_ = true;
    Raise([&] { dialog_.FormUnload(); });
    DestroyWindow(Window());
}

HWND SettingsForm::StopWindow(FocusStop stop) {
    switch (stop) {
        case FocusStop::MusicChoices: return pic1_.Window();
        case FocusStop::RepeatBox: return bgmRepeat_;
        case FocusStop::FileButton: return cmdBgm_.Window();
        case FocusStop::SpeedBar: return hsFast_.Window();
        case FocusStop::SaveButton: return cmdSet_.Window();
        case FocusStop::CancelButton: return cmdCan_.Window();
    }
    return nullptr;
}

std::optional<FocusStop> SettingsForm::FocusedStop() {
    HWND focus = GetFocus();
    if (!focus) return std::nullopt;
    for (int i = 0; i < kFocusStopCount; ++i) {
        const auto stop = static_cast<FocusStop>(i);
        HWND window = StopWindow(stop);
        // The repeat box's text field is a child of the box.
        if (focus == window || (stop == FocusStop::RepeatBox && IsChild(window, focus))) return stop;
    }
    return std::nullopt;
}

bool SettingsForm::FocusOn(FocusStop stop) {
    HWND target = StopWindow(stop);
    if (!target || !IsWindowEnabled(target) || !IsWindowVisible(target)) return false;
    SetFocus(target);
    // As in any dialog, a text field reached by Tab has its whole text selected.
    if (stop == FocusStop::RepeatBox) SendMessageW(bgmRepeat_, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    return true;
}

bool SettingsForm::RepeatListOpen() { return SendMessageW(bgmRepeat_, CB_GETDROPPEDSTATE, 0, 0) != 0; }

bool SettingsForm::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_HSCROLL && hsFast_.HandleScroll(wParam, lParam)) {
        result = 0;
        return true;
    }
    return false;
}

LRESULT SettingsForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (host_.HandleMessage(message, wParam, lParam, result)) return result;
    if (message == FormKeyPreviewMessage()) {
        bool taken = false;
        Raise([&] { taken = dialog_.FormKeyDown(static_cast<int>(wParam), static_cast<int>(lParam)); });
        return taken ? 1 : 0;
    }
    if (message == WM_DPICHANGED) {
        // Moved onto a monitor of another scale (or its scale changed): laid out anew for it.
        Raise([&] { FollowDpi(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam)); });
        return 0;
    }
    if (message == WM_CLOSE) {
        // The close box: the dialog closes without saving.
        Unload();
        return 0;
    }
    return DefaultHandling(message, wParam, lParam);
}

}  // namespace spindle
