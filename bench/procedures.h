// Helpers shared by the test procedures (worker thread only).
#pragma once

#include <windows.h>

#include <cstdio>

namespace bench {

// The decimal text of a loop counter, "%d" as the tests have always used;
// at most five digits since N <= 50000.
struct NumberText {
    char text[16];
    const char* Format(unsigned value) {
        std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
        return text;
    }
};

inline HWND ControlOf(LPARAM control) {
    return reinterpret_cast<HWND>(control);
}

}  // namespace bench
