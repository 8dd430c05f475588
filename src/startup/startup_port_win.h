// The real platform behind Main and the saver's shut-down.
#pragma once

#include "startup/main_routine.h"

namespace spindle {

class Win32StartupPort : public StartupPort {
public:
    std::int32_t ShowCursor(std::int32_t show) override;
    void SetSystemParameter(std::uint32_t action, std::uint32_t uiParam) override;
    bool WindowWithCaptionExists(std::string_view caption) override;
    void LoadSettings() override;
    void StartPreview(std::int32_t hostHandle) override;
    void ShowSettingsDialog() override;
    void LoadSaverForm() override;
    void EndProcess() override;
};

}  // namespace spindle
