#include "app/bench_app.h"
