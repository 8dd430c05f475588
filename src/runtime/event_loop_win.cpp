// The message loop and the per-frame yield of the form runtime.
#include "runtime/event_loop_win.h"

#include <windows.h>

namespace spindle {
namespace {
int loadedForms = 0;
}

void YieldToEvents() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void RunMessageLoop() {
    if (loadedForms <= 0) return;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void NoteFormLoaded() { ++loadedForms; }

void NoteFormUnloaded() {
    if (--loadedForms <= 0) {
        loadedForms = 0;
        PostQuitMessage(0);
    }
}

int LoadedFormCount() { return loadedForms; }

}  // namespace spindle
