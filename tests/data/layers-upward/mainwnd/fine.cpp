#include "bench/catalogue.h"
#include "res/resource.h"
