// Real keyboard and mouse input for the end-to-end tests, sent as a user would give it.
#pragma once

#include <windows.h>

#include <string>

namespace spindle::test {

// Presses and releases a virtual key, or with `unicode` types that character instead.
inline void PressKey(WORD key, wchar_t unicode = 0) {
    INPUT input[2]{};
    input[0].type = INPUT_KEYBOARD;
    input[0].ki.wVk = key;
    input[0].ki.wScan = unicode;
    input[0].ki.dwFlags = unicode ? KEYEVENTF_UNICODE : 0;
    input[1] = input[0];
    input[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
}

// One key going down or up, for keys held while others are pressed (Shift+Tab).
inline void HoldKey(WORD key, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof(INPUT));
}

inline void TypeText(const std::wstring& text) {
    for (wchar_t c : text) {
        PressKey(0, c);
        Sleep(30);
    }
}

inline void MoveMouse(POINT screen) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = screen.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = screen.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof(INPUT));
}

// A mouse button event where the pointer is (MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_RIGHTUP, ...).
inline void MouseButton(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof(INPUT));
}

// Moves there and clicks the left button (pressed and released at once, so no button repeats),
// waiting `pause` ms before and after the click.
inline void ClickAt(POINT screen, DWORD pause = 0) {
    MoveMouse(screen);
    Sleep(pause);
    INPUT input[2]{};
    input[0].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1] = input[0];
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
    Sleep(pause);
}

}  // namespace spindle::test
