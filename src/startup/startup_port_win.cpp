// Win32 calls behind Main: window search, cursor, saver flags, and the forms it starts.
#include "startup/startup_port_win.h"

#include <windows.h>

#include "preview/preview_form_win.h"
#include "runtime/system_settings_win.h"
#include "runtime/wide_text_win.h"
#include "saver/saver_form_win.h"
#include "settings/settings_loader_win.h"
#include "settings_dialog/settings_dialog_win.h"
#include "startup/command_line.h"

namespace spindle {

std::int32_t Win32StartupPort::ShowCursor(std::int32_t show) { return Win32SystemSettings().ShowCursor(show); }

void Win32StartupPort::SetSystemParameter(std::uint32_t action, std::uint32_t uiParam) {
    Win32SystemSettings().SetSystemParameter(action, uiParam);
}

bool Win32StartupPort::WindowWithCaptionExists(std::string_view caption) {
    return FindWindowW(nullptr, Utf8ToWide(caption).c_str()) != nullptr;
}

void Win32StartupPort::LoadSettings() { LoadProcessSettings(); }

void Win32StartupPort::StartPreview(std::int32_t hostHandle) { spindle::StartPreview(hostHandle); }

void Win32StartupPort::ShowSettingsDialog() { ShowSettingsDialogModal(); }

void Win32StartupPort::LoadSaverForm() {
    spindle::LoadSaverForm(ModeLetter(ArgumentText(WideToUtf8(GetCommandLineW()))));
}

void Win32StartupPort::EndProcess() { ExitProcess(0); }

}  // namespace spindle
