// The decimals a report prints its figures with. The project summary repeats
// a report's figures through the same functions, so that both show the same
// digits.
#pragma once

#include "platform/PrintfFormat.h"

#include <string>

// Lengths, forces, angles, volumes, money and days.
inline std::string Fixed3(double v) {
    return stringPrintf("%.3f", v);
}

// Stability factors.
inline std::string Fixed4(double v) {
    return stringPrintf("%.4f", v);
}
