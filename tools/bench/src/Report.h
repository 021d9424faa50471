#pragma once

// The bench speaks to run.sh in "key value" lines on standard output, one figure a line, so that
// the table is laid out in one place (run.sh) and the raw figures stay easy to read or diff.

#include <cstddef>
#include <cstdio>

namespace nimbrel::bench {

inline void report(const char* key, std::size_t value)
{
    std::printf("%s %zu\n", key, value);
}

inline void report(const char* key, long value)
{
    std::printf("%s %ld\n", key, value);
}

inline void report(const char* key, double value)
{
    std::printf("%s %.3f\n", key, value);
}

inline void report(const char* key, const char* text)
{
    std::printf("%s %s\n", key, text);
}

} // namespace nimbrel::bench
