// A class and two functions of cpu/.
#pragma once

class CProbe {
  public:
    void Measure();
    int Store() const;
};

namespace cpu {
int CountCores();
}

void ResetClock();
