#pragma once

#include <windows.h>

#include <algorithm>

namespace nimbrel::bench {

struct PassTimes {
    int passes = 0;
    double meanUs = 0;
    double worstUs = 0;
};

// Microseconds per tick of QueryPerformanceCounter.
double microsecondsPerTick();

// Times every call of `pass` on its own, so that the worst pass is seen and not averaged away.
template <typename Pass>
PassTimes timePasses(int count, Pass&& pass)
{
    const double tick = microsecondsPerTick();
    LONGLONG total = 0;
    LONGLONG worst = 0;
    for (int i = 0; i < count; ++i) {
        LARGE_INTEGER start;
        LARGE_INTEGER end;
        QueryPerformanceCounter(&start);
        pass();
        QueryPerformanceCounter(&end);
        const LONGLONG took = end.QuadPart - start.QuadPart;
        total += took;
        worst = std::max(worst, took);
    }
    PassTimes times;
    times.passes = count;
    if (count > 0) {
        times.meanUs = static_cast<double>(total) * tick / count;
        times.worstUs = static_cast<double>(worst) * tick;
    }
    return times;
}

// "<prefix>_mean_us", "<prefix>_worst_us" and "<prefix>_passes" lines.
void reportTimes(const char* prefix, const PassTimes& times);

} // namespace nimbrel::bench
