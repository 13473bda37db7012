#pragma once

#include <cstdio>
#include <cstdlib>

namespace kivo::fuzz {

// A property the code must keep whatever it is fed; a break aborts, so libFuzzer keeps the
// input like any other crash.
inline void check(bool holds, const char* what)
{
    if (!holds) {
        std::fprintf(stderr, "fuzz check failed: %s\n", what);
        std::abort();
    }
}

} // namespace kivo::fuzz
