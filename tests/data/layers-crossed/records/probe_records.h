#pragma once

class CProbe;

namespace records {
int Store(const CProbe& probe);
}
