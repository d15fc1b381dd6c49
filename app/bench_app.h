// The application: splash box, then the benchmark, then the process ends.
#pragma once

#include "framework/application.h"

class CBenchApp : public fw::Application {
  protected:
    bool InitInstance() override;
};
