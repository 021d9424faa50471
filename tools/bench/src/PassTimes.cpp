#include "PassTimes.h"

#include "Report.h"

#include <string>

namespace nimbrel::bench {

double microsecondsPerTick()
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1e6 / static_cast<double>(frequency.QuadPart);
}

void reportTimes(const char* prefix, const PassTimes& times)
{
    const std::string key(prefix);
    report((key + "_passes").c_str(), static_cast<long>(times.passes));
    report((key + "_mean_us").c_str(), times.meanUs);
    report((key + "_worst_us").c_str(), times.worstUs);
}

} // namespace nimbrel::bench
