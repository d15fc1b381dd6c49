// Defined where declared: allowed.
#include "cpu/probe.h"

void CProbe::Measure() {
}
