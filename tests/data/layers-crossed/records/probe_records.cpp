#include "records/probe_records.h"

#include "cpu/probe.h"

namespace {
// A helper of this file only, named like cpu's function: allowed.
int CountCores() {
    return 1;
}
}  // namespace

// Three definitions of what cpu/ declares.
int CProbe::Store() const {
    return CountCores();
}

namespace cpu {
int CountCores() {
    return 2;
}
}  // namespace cpu

void ResetClock() {
}

namespace records {
// records' own function that takes cpu's class: allowed.
int Store(const CProbe& probe) {
    const char* text = "}";  // a brace in a literal changes no scope
    return probe.Store() + (text[0] == '{');
}
}  // namespace records
