// The benchmarks' clock: milliseconds from the performance counter.
#pragma once

#include <windows.h>

inline double Now() {
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000 / static_cast<double>(f.QuadPart);
}
