// The settings dialog's window, Spindlewave_P: the form and Pic_1 with their windowless labels,
// marks and frames, the three Command buttons, the repeat box and the speed bar.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "controls/command/command_button_win.h"
#include "runtime/base_window_win.h"
#include "runtime/scoped_gdi_win.h"
#include "runtime/windowless_controls_win.h"
#include "runtime/windowless_host_win.h"
#include "settings_dialog/dialog_layout.h"
#include "settings_dialog/scroll_bar_win.h"
#include "settings_dialog/settings_dialog.h"

namespace spindle {

inline constexpr const wchar_t* kSettingsDialogCaption = L"Spindlewave_Setting";
inline constexpr const char* kHomePageAddress = "https://spindlewave.github.io/";
inline constexpr const char* kCreditLine = "Ver 1.0.0  \xC2\xA9 The Spindlewave authors";

class SettingsForm : public BaseWindow<SettingsForm>, private SettingsDialogView {
public:
    // The platform is asked for the screen, the cursor, the zoom, files and the settings file.
    SettingsForm(SettingsValues& values, SettingsDialogPlatform& platform);
    ~SettingsForm() override;

    static const wchar_t* ClassName() { return L"SpindlewaveSettingsDialog"; }

    // Creates the hidden window with every control; false when the window could not be made.
    bool Create();
    // Form_Load, then Form_Resize and the showing.
    void LoadAndShow();
    bool IsOpen() const { return Window() != nullptr; }

    // What the controls show, for tests in the same process.
    const WindowlessLabel& SpeedLabel() const { return *lblFast_; }
    const WindowlessLabel& FileLabel() const { return *lblFname_; }
    bool MarkSelected(int index) const;
    HWND SpeedBar() const { return hsFast_.Window(); }
    HWND RepeatBox() const { return bgmRepeat_; }
    HWND PictureBoxWindow() const { return pic1_.Window(); }
    CommandButton& SaveButton() { return cmdSet_; }
    CommandButton& CancelButton() { return cmdCan_; }
    CommandButton& FileButton() { return cmdBgm_; }
    // The three music rows' marks and captions, in Pic_1's pixels.
    RECT MarkBounds(int index) const;
    RECT MusicCaptionBounds(int index) const;

    // The DPI the dialog is laid out at: its monitor's.
    int Dpi() const { return dpi_; }
    // Lays the dialog out at a DPI; with the system's suggested window rectangle, takes that too.
    void FollowDpi(int dpi, const RECT* suggested = nullptr);

    // The screen-wide pointer over both surfaces; null for the controls' own.
    void SetPointerOverride(HCURSOR pointer);

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    // SettingsDialogView
    double DialogWidthTwips() override;
    double DialogHeightTwips() override;
    void MoveTo(std::int32_t leftTwips, std::int32_t topTwips) override;
    void InitButtons() override;
    void SetSpeedBarValue(int value) override;
    int SpeedBarValue() override;
    void SetSpeedCaption(const std::string& text) override;
    void ShowMark(int index, bool selected) override;
    void SetRepeatText(const std::string& text) override;
    std::string RepeatText() override;
    void AddRepeatEntry(const std::string& text) override;
    void SetFileCaption(const std::string& text) override;
    std::string LinkCaption() override;
    int InteriorHeight(ShadedSurface surface) override;
    void DrawShadingLine(ShadedSurface surface, int y, ShadeColour colour) override;
    void Unload() override;
    std::optional<FocusStop> FocusedStop() override;
    bool FocusOn(FocusStop stop) override;
    bool RepeatListOpen() override;

    void CreateControls();
    // The client area as designed, at the current DPI, the frame as the window has it.
    void SizeClient();
    void LoadMarks();
    // Notes a control's designed place, so that a new DPI places it again.
    WindowlessLabel& Place(WindowlessLabel& label, const DesignRect& design);
    void Place(WindowlessControl& control, const DesignRect& design);
    // The dotted frame of the music rows goes round the selected row's caption.
    void ShowFocusCueOn(int index);
    // The window that takes the focus for a stop of the Tab order.
    HWND StopWindow(FocusStop stop);
    WindowlessLabel& AddLabel(WindowlessHost& host, const RECT& bounds, const char* caption);
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Runs a handler at the window-procedure boundary, where nothing may be thrown.
    template <typename Handler>
    void Raise(Handler&& handler);

    SettingsDialog dialog_;
    WindowlessHost host_;
    PictureBox pic1_;
    CommandButton cmdSet_;
    CommandButton cmdCan_;
    CommandButton cmdBgm_;
    HorizontalScrollBar hsFast_;
    HWND bgmRepeat_ = nullptr;
    ScopedFont captionFont_;
    ScopedBitmap markUnselected_;
    ScopedBitmap markSelected_;
    std::array<WindowlessImage*, 2> imgRa_{};
    std::array<WindowlessImage*, 3> imgBgm_{};
    std::array<WindowlessLabel*, 3> lblBgm_{};
    WindowlessLabel* lblFast_ = nullptr;
    WindowlessLabel* lblFname_ = nullptr;
    WindowlessLabel* lblUrl_ = nullptr;
    std::vector<std::pair<WindowlessControl*, DesignRect>> placed_;
    std::vector<WindowlessLabel*> labels_;
    int dpi_ = 96;
    bool unloading_ = false;
};

}  // namespace spindle
