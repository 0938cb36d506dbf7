// The decimals a report prints its figures with. The project summary and the
// verification repeat a report's figures through the same functions, so that
// all show the same digits.
#pragma once

#include "platform/PrintfFormat.h"

#include <cstdlib>
#include <string>

// Millimetres and areas of steel.
inline std::string Fixed0(double v) {
    return stringPrintf("%.0f", v);
}

// Steel masses, stresses, bar positions and shear limits.
inline std::string Fixed1(double v) {
    return stringPrintf("%.1f", v);
}

// Lengths, areas, forces, moments, angles, strengths, volumes, money and days.
inline std::string Fixed3(double v) {
    return stringPrintf("%.3f", v);
}

// Stability factors and the coefficients of a section.
inline std::string Fixed4(double v) {
    return stringPrintf("%.4f", v);
}

// A figure as its format prints it, as a number: what the engineer reads, so
// that totals and checks agree with the report's digits.
inline double Printed(std::string (*format)(double), double v) {
    return std::strtod(format(v).c_str(), nullptr);
}
