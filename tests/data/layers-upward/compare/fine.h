// Downward, to the records and the benchmark: allowed.
#include "bench/catalogue.h"
#include "records/record.h"
