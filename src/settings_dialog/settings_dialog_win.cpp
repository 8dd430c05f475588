// The settings dialog's platform calls, and its modal showing for the settings switch.
#include "settings_dialog/settings_dialog_win.h"

#include <commdlg.h>
#include <shellapi.h>

#include "runtime/decimal_mark_win.h"
#include "runtime/event_loop_win.h"
#include "runtime/screen_win.h"
#include "runtime/wide_text_win.h"
#include "settings_dialog/settings_form_win.h"
#include "settings/settings_file_win.h"
#include "settings_dialog/zoom_win.h"

namespace spindle {

HWND Win32SettingsPlatform::FormWindow() const { return form_ ? form_->Window() : nullptr; }

double Win32SettingsPlatform::ScreenWidthTwips() { return spindle::ScreenWidthTwips(); }

double Win32SettingsPlatform::ScreenHeightTwips() { return spindle::ScreenHeightTwips(); }

std::optional<ScreenPoint> Win32SettingsPlatform::CursorPosition() { return spindle::CursorPosition(); }

void Win32SettingsPlatform::ZoomWindowOpen() { spindle::ZoomWindowOpen(FormWindow()); }

void Win32SettingsPlatform::ZoomWindowClose() { spindle::ZoomWindowClose(FormWindow()); }

void Win32SettingsPlatform::SetMousePointer(MousePointer pointer) {
    HCURSOR shown = pointer == MousePointer::Hourglass ? LoadCursorW(nullptr, MAKEINTRESOURCEW(32514)) : nullptr;  // IDC_WAIT
    if (form_) form_->SetPointerOverride(shown);
    SetCursor(shown ? shown : LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)));  // IDC_ARROW
}

std::optional<std::string> Win32SettingsPlatform::ChooseFile() {
    // The file name buffers hold 255 characters, as the request states; a longer choice fails.
    constexpr DWORD kBufferLength = 255;
    wchar_t file[kBufferLength] = {};
    wchar_t fileTitle[kBufferLength] = {};
    static const wchar_t kFilter[] = L"BGM\xFF8C\xFF67\xFF72\xFF99 (MP3 WAV)\0*.MP3;*.WAV\0";  // BGMﾌｧｲﾙ (MP3 WAV)
    OPENFILENAMEW request{};
    request.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
    request.hwndOwner = FormWindow();
    request.hInstance = GetModuleHandleW(nullptr);
    request.lpstrFilter = kFilter;
    request.lpstrCustomFilter = nullptr;
    request.nMaxCustFilter = 0;
    request.nFilterIndex = 0;
    request.lpstrFile = file;
    request.nMaxFile = kBufferLength;
    request.lpstrFileTitle = fileTitle;
    request.nMaxFileTitle = kBufferLength;
    request.lpstrInitialDir = nullptr;
    request.lpstrTitle = L"\xFF8C\xFF67\xFF72\xFF99\x3092\x9078\x629E";  // ﾌｧｲﾙを選択
    request.Flags = 0;
    if (GetOpenFileNameW(&request) <= 0) return std::nullopt;
    return WideToUtf8(std::wstring_view(file, wcsnlen(file, kBufferLength)));
}

void Win32SettingsPlatform::OpenInShell(const std::string& target) {
    const std::wstring wideTarget = Utf8ToWide(target);
    ShellExecuteW(FormWindow(), L"open", wideTarget.c_str(), L"", L"", SW_SHOWNORMAL);
}

WriteOutcome Win32SettingsPlatform::WriteSettings(std::string_view section, const std::vector<ProfileEntry>& entries) {
    return spindle::WriteSettings(section, entries);
}

void Win32SettingsPlatform::ShowMessage(const std::string& text) {
    // Not the dialog's caption: a start looks for that one to find a running copy.
    MessageBoxW(FormWindow(), Utf8ToWide(text).c_str(), L"Spindlewave", MB_OK | MB_ICONEXCLAMATION);
}

char Win32SettingsPlatform::DecimalSeparator() { return UserDecimalMark(); }

void ShowSettingsDialogModal() {
    Win32SettingsPlatform platform;
    SettingsForm form(Settings(), platform);
    platform.Attach(&form);
    if (!form.Create()) return;
    NoteFormLoaded();
    form.LoadAndShow();
    MSG message;
    while (form.IsOpen()) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            // A quit request ends the modal showing; the caller's loop still sees it.
            if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        DispatchEvent(message);
    }
    NoteFormUnloaded();
}

}  // namespace spindle
