// The message loop and the per-frame yield of the form runtime.
#include "runtime/event_loop_win.h"

namespace spindle {
namespace {
int loadedForms = 0;
}  // namespace

int KeyShiftState() {
    int shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= 1;
    if (GetKeyState(VK_CONTROL) < 0) shift |= 2;
    if (GetKeyState(VK_MENU) < 0) shift |= 4;
    return shift;
}

UINT FormKeyPreviewMessage() {
    static const UINT message = RegisterWindowMessageW(L"Spindlewave.FormKeyPreview");
    return message;
}

void DispatchEvent(MSG& message) {
    if (message.message == WM_KEYDOWN && message.hwnd) {
        HWND form = GetAncestor(message.hwnd, GA_ROOT);
        if (form && FormKeyPreviewMessage() != 0 &&
            SendMessageW(form, FormKeyPreviewMessage(), message.wParam, KeyShiftState()) != 0) {
            return;
        }
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

void YieldToEvents() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        DispatchEvent(message);
    }
}

void RunMessageLoop() {
    if (loadedForms <= 0) return;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchEvent(message);
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
