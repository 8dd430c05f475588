// The per-frame yield runs pending timers and messages, and keeps a quit request for the main loop.
#include "runtime/event_loop_win.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace spindle {
namespace {

int ticks = 0;
void CALLBACK CountTick(HWND, UINT, UINT_PTR, DWORD) { ++ticks; }

TEST(YieldToEvents, DispatchesTimerTicksAndKeepsAQuitRequestForTheMainLoop) {
    UINT_PTR timer = SetTimer(nullptr, 0, 10, &CountTick);
    for (DWORD start = GetTickCount(); ticks < 3 && GetTickCount() - start < 5000; Sleep(5)) YieldToEvents();
    KillTimer(nullptr, timer);
    EXPECT_GE(ticks, 3);
    PostQuitMessage(7);
    YieldToEvents();
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 7u);
}

TEST(FormCount, OnlyTheLastUnloadEndsTheLoop) {
    NoteFormLoaded();
    NoteFormLoaded();
    NoteFormUnloaded();
    MSG message;
    EXPECT_FALSE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
    NoteFormUnloaded();
    RunMessageLoop();  // returns on the quit request the last unload posted
    EXPECT_EQ(LoadedFormCount(), 0);
}

}  // namespace
}  // namespace spindle
