// Real keyboard and mouse input for the tests, sent as a user would give it.
#pragma once

#include <windows.h>

#include <string>

namespace spindle::test {

// A virtual key going down or up; with `unicode` that character instead.
inline INPUT KeyInput(WORD key, bool up, wchar_t unicode = 0) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki = {key, unicode, DWORD((unicode ? KEYEVENTF_UNICODE : 0) | (up ? KEYEVENTF_KEYUP : 0)), 0, 0};
    return input;
}

// A mouse event where the pointer is (MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_RIGHTUP, ...), or to (x, y);
// `data` is the side button (XBUTTON1, XBUTTON2) or the wheel's turn.
inline INPUT MouseInput(DWORD flags, LONG x = 0, LONG y = 0, DWORD data = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi = {x, y, data, flags, 0, 0};
    return input;
}

// The events in one call, so nothing comes between them and no key or button repeats.
template <typename... Inputs>
void Send(Inputs... inputs) {
    INPUT all[] = {inputs...};
    SendInput(sizeof...(inputs), all, sizeof(INPUT));
}

inline void PressKey(WORD key, wchar_t unicode = 0) {
    Send(KeyInput(key, false, unicode), KeyInput(key, true, unicode));
}

// One key going down or up, for keys held while others are pressed (Shift+Tab).
inline void HoldKey(WORD key, bool down) { Send(KeyInput(key, !down)); }

inline void TypeText(const std::wstring& text) {
    for (wchar_t c : text) PressKey(0, c), Sleep(30);
}

inline void MouseButton(DWORD flags) { Send(MouseInput(flags)); }

// Anywhere on the virtual screen: on any monitor, left of or above the primary one too.
inline void MoveMouse(POINT screen) {
    auto scale = [](LONG at, int origin, int extent) {
        return (at - GetSystemMetrics(origin)) * 65535 / (GetSystemMetrics(extent) - 1);
    };
    Send(MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK,
                    scale(screen.x, SM_XVIRTUALSCREEN, SM_CXVIRTUALSCREEN),
                    scale(screen.y, SM_YVIRTUALSCREEN, SM_CYVIRTUALSCREEN)));
}

// Moves there and clicks the left button, waiting `pause` ms before and after the click.
inline void ClickAt(POINT screen, DWORD pause = 0) {
    MoveMouse(screen);
    Sleep(pause);
    Send(MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_LEFTUP));
    Sleep(pause);
}

}  // namespace spindle::test
