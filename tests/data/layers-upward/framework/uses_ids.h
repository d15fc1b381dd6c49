#pragma once
#include "res/resource.h"
