// What the fuzz targets share: a check that stops the run with its reason.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace fuzz {

inline void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "check failed: %s\n", what);
        std::abort();
    }
}

inline bool Blank(char c) {
    return c == ' ' || (c >= 0x09 && c <= 0x0D);
}

}  // namespace fuzz
