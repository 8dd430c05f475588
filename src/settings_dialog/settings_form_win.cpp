// The settings dialog's window: its controls at their places, and their events handed to the
// dialog's routines.
#include "settings_dialog/settings_form_win.h"

#include <algorithm>
#include <cmath>

#include "resource_ids.h"
#include "runtime/event_loop_win.h"
#include "runtime/runtime_error.h"
#include "runtime/screen_win.h"
#include "runtime/wide_text_win.h"

namespace spindle {
namespace {

enum ControlId { kPic1Id = 100, kCmdSetId, kCmdCanId, kCmdBgmId, kBgmRepeatId, kHsFastId };

// The form's client area, in twips.
constexpr int kClientWidthTwips = 6975;
constexpr int kClientHeightTwips = 2895;
// The repeat box's list drops below its text field.
constexpr int kDropListHeight = 160;

const COLORREF kBackColour = RGB(128, 128, 128);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

const wchar_t* const kCaptionFace = L"\xFF2D\xFF33 \xFF30\x30B4\x30B7\x30C3\x30AF";  // ＭＳ Ｐゴシック
constexpr double kCaptionPoints = 9.75;

LabelFont DialogFont(bool underline = false) {
    return LabelFont{kCaptionFace, kCaptionPoints, FW_NORMAL, underline, SHIFTJIS_CHARSET};
}

int PixelsX(int twips) { return static_cast<int>(std::lround(twips / TwipsPerPixelX())); }
int PixelsY(int twips) { return static_cast<int>(std::lround(twips / TwipsPerPixelY())); }

// Left, top, width and height in twips, as a rectangle in pixels.
RECT TwipsRect(int left, int top, int width, int height) {
    const int x = PixelsX(left);
    const int y = PixelsY(top);
    return RECT{x, y, x + PixelsX(width), y + PixelsY(height)};
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
    RECT frame{0, 0, PixelsX(kClientWidthTwips), PixelsY(kClientHeightTwips)};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    if (!CreateWindowOf(kSettingsDialogCaption, style, 0, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                        nullptr)) {
        return false;
    }
    host_.Attach(Window());
    host_.SetBackColour(kBackColour);
    // Until the program carries its icon, LoadIcon gives nothing and the window keeps the default.
    if (HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_SPINDLEWAVE))) {
        SendMessageW(Window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageW(Window(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
    CreateControls();
    return true;
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
    captionFont_ = CreateLabelFont(DialogFont());
    markUnselected_.reset(static_cast<HBITMAP>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDB_MARK_UNSELECTED), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    markSelected_.reset(static_cast<HBITMAP>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDB_MARK_SELECTED), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));

    auto makeButton = [&](CommandButton& button, HWND parent, const RECT& bounds, int id, const char* caption) {
        button.Create(parent, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, id);
        button.SetCaption(caption);
        button.SetFont(WideToUtf8(kCaptionFace), kCaptionPoints, false, SHIFTJIS_CHARSET);
    };

    // Pic_1, the frame of the settings controls.
    pic1_.Create(Window(), TwipsRect(240, 240, 6495, 1755), kPic1Id, true);
    pic1_.Host().SetBackColour(kBackColour);
    pic1_.onChildNotify = [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        return OnChildNotify(message, wParam, lParam, result);
    };

    // On the form.
    makeButton(cmdSet_, Window(), TwipsRect(4260, 2160, 1215, 375), kCmdSetId, "設定");
    cmdSet_.onClick = [this] { Raise([&] { dialog_.CmdSetClick(); }); };
    makeButton(cmdCan_, Window(), TwipsRect(5520, 2160, 1215, 375), kCmdCanId, "ｷｬﾝｾﾙ");
    cmdCan_.onClick = [this] { Raise([&] { dialog_.CmdCanClick(); }); };

    WindowlessLabel& credit = AddLabel(host_, TwipsRect(240, 2100, 2475, 195), kCreditLine);
    credit.SetColour(kWhite);
    credit.SetAutoSize(true);

    lblUrl_ = &AddLabel(host_, TwipsRect(240, 2340, 3105, 195), kHomePageAddress);
    lblUrl_->SetFont(DialogFont(true));
    lblUrl_->SetColour(kWhite);
    lblUrl_->SetAutoSize(true);
    lblUrl_->cursor = LoadCursorW(instance, MAKEINTRESOURCEW(IDC_LINK_HAND));
    lblUrl_->onClick = [this] { Raise([&] { dialog_.LblUrlClick(); }); };

    // Img_Ra: beyond the visible client area, holding the two marks.
    imgRa_[0] = &host_.Add<WindowlessImage>(TwipsRect(10080, 420, 180, 180));
    imgRa_[0]->SetPicture(markUnselected_.get());
    imgRa_[1] = &host_.Add<WindowlessImage>(TwipsRect(10080, 660, 180, 180));
    imgRa_[1]->SetPicture(markSelected_.get());

    // Inside Pic_1: the music group.
    WindowlessHost& pic = pic1_.Host();
    WindowlessLabel& bgmHeading = AddLabel(pic, TwipsRect(120, 180, 1515, 255), "BGM");
    bgmHeading.SetColour(kBlack);
    bgmHeading.SetAlignment(WindowlessLabel::Alignment::Centre);
    pic.Add<WindowlessShape>(TwipsRect(120, 120, 1515, 315)).SetColour(GetSysColor(COLOR_WINDOWTEXT));

    struct MusicRow {
        int top;
        int captionWidth;
        const char* caption;
    };
    const MusicRow rows[kMusicChoiceCount] = {{840, 345, "無し"}, {540, 645, "音楽CD"}, {1140, 900, "MP3、WAV"}};
    for (int index : {1, 0, 2}) {
        const MusicRow& row = rows[index];
        imgBgm_[index] = &pic.Add<WindowlessImage>(TwipsRect(540, row.top, 195, 195));
        imgBgm_[index]->onClick = [this, index] { Raise([&] { dialog_.ImgBgmClick(index); }); };
        lblBgm_[index] = &AddLabel(pic, TwipsRect(780, row.top, row.captionWidth, 195), row.caption);
        lblBgm_[index]->SetAutoSize(true);
        lblBgm_[index]->onClick = [this, index] { Raise([&] { dialog_.LblBgmClick(index); }); };
        if (index == 1) {
            const RECT box = TwipsRect(1800, 480, 615, 300);
            bgmRepeat_ = CreateWindowExW(0, L"COMBOBOX", L"",
                                         WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                                         box.left, box.top, box.right - box.left,
                                         box.bottom - box.top + kDropListHeight, pic1_.Window(),
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(kBgmRepeatId)), instance, nullptr);
            SendMessageW(bgmRepeat_, WM_SETFONT, reinterpret_cast<WPARAM>(captionFont_.get()), TRUE);
            AddLabel(pic, TwipsRect(2460, 540, 990, 195), "曲目をﾘﾋﾟｰﾄ").SetAutoSize(true);
        }
    }
    ShowFocusCueOn(1);
    makeButton(cmdBgm_, pic1_.Window(), TwipsRect(1800, 1020, 435, 375), kCmdBgmId, "...");
    cmdBgm_.onClick = [this] { Raise([&] { dialog_.CmdBgmClick(); }); };
    lblFname_ = &AddLabel(pic, TwipsRect(2400, 1020, 3855, 495), "");
    lblFname_->SetBorder(true);
    lblFname_->SetColour(GetSysColor(COLOR_WINDOWTEXT));

    // Inside Pic_1: the speed group.
    WindowlessLabel& speedHeading = AddLabel(pic, TwipsRect(3780, 180, 1515, 255), "回転の速さ");
    speedHeading.SetColour(kBlack);
    speedHeading.SetAlignment(WindowlessLabel::Alignment::Centre);
    pic.Add<WindowlessShape>(TwipsRect(3780, 120, 1515, 315)).SetColour(GetSysColor(COLOR_WINDOWTEXT));
    AddLabel(pic, TwipsRect(4380, 540, 375, 195), "遅い").SetAutoSize(true);
    hsFast_.Create(pic1_.Window(), TwipsRect(4800, 480, 1035, 255), kHsFastId);
    hsFast_.onChange = [this] { Raise([&] { dialog_.HsFastChange(); }); };
    hsFast_.onScroll = [this] { Raise([&] { dialog_.HsFastScroll(); }); };
    AddLabel(pic, TwipsRect(5880, 540, 375, 195), "速い").SetAutoSize(true);
    lblFast_ = &AddLabel(pic, TwipsRect(4800, 780, 1005, 195), "10");
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
    if (message == WM_CLOSE) {
        // The close box: the dialog closes without saving.
        Unload();
        return 0;
    }
    return DefaultHandling(message, wParam, lParam);
}

}  // namespace spindle
