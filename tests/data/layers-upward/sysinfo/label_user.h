// Reaches up to the main window.
#pragma once
#include "mainwnd/label.h"
