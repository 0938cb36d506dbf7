// Rounding to a construction module.
#include "platform/EngineeringMode.h"

#include <cmath>

int Engineering_mode(float* value, int step) {
    if (value == nullptr || step <= 0) return 0;
    const float module = static_cast<float>(step);
    // v = round(v / step) * step; std::round rounds halves away from zero.
    *value = std::round(*value / module) * module;
    return 1;
}
