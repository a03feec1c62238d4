// The check of the fuzz targets: a failed condition is reported with its line and aborts, so
// that the crash libFuzzer records names what broke.
#pragma once

#include <cstdio>
#include <cstdlib>

inline void Check(bool condition, int line = __builtin_LINE()) {
    if (condition) return;
    std::fprintf(stderr, "Check failed at line %d\n", line);
    std::abort();
}
