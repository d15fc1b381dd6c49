// Same layer and downward: allowed.
#include "cpu/cpu_info.h"
#include "framework/window.h"
#include <windows.h>
