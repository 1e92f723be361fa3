// The clock and the figures of the timing programs under Wine.
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

// Milliseconds, from the performance counter.
inline double Now() {
    static const LARGE_INTEGER Frequency = [] {
        LARGE_INTEGER F;
        QueryPerformanceFrequency(&F);
        return F;
    }();
    LARGE_INTEGER T;
    QueryPerformanceCounter(&T);
    return double(T.QuadPart) * 1000.0 / double(Frequency.QuadPart);
}

// The value below which the share P (0 to 1) of the values lie; 0 for none.
inline double Percentile(std::vector<double> V, double P) {
    std::sort(V.begin(), V.end());
    return V.empty() ? 0 : V[std::min(V.size() - 1, size_t(P * double(V.size())))];
}

inline double Median(const std::vector<double> &V) { return Percentile(V, 0.5); }
