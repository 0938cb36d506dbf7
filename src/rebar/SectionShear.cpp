// Shear limit, stirrups and their choice.
#include "rebar/SectionShear.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace {

constexpr std::array<int, 8> kStirrupDiameters{10, 12, 14, 16, 18, 20, 22, 25};
constexpr int kLeastSpacing = 100;  // mm: concrete must pass the cage
constexpr int kSpacingStep = 50;

// Largest stirrup spacing by member height and whether V > 0.7 ft b h0 (Table 9.2.9).
double largestSpacing(double h, bool above) {
    if (h > 800.0) return above ? 300.0 : 400.0;
    if (h > 500.0) return above ? 250.0 : 350.0;
    if (h > 300.0) return above ? 200.0 : 300.0;
    return above ? 150.0 : 200.0;
}

double barArea(int d) {
    return std::numbers::pi * d * d / 4.0;
}

}  // namespace

ShearDesign DesignShear(const Concrete& c, const Steel& stirrup, double b, double h, double h0,
                        double hw, double V) {
    ShearDesign d;
    d.V = V;
    // hw/b <= 4: 0.25 beta_c fc b h0; >= 6: 0.2 beta_c fc b h0; linear between (6.3.1)
    const double ratio = hw / b;
    if (ratio <= 4.0)
        d.limitFactor = 0.25;
    else if (ratio >= 6.0)
        d.limitFactor = 0.2;
    else
        d.limitFactor = 0.25 - 0.025 * (ratio - 4.0);
    d.Vmax = d.limitFactor * c.betaC * c.fc * b * h0;
    d.overLimit = V > d.Vmax;
    // Vcs = alpha_cv ft b h0 + fyv Asv/s h0, alpha_cv = 0.7   (6.3.4-2)
    d.Vc = 0.7 * c.ft * b * h0;
    d.needsStirrups = V > d.Vc;
    const double fyv = StirrupStrength(stirrup);
    d.AsvPerSCalc = std::max(0.0, (V - d.Vc) / (fyv * h0));
    d.AsvPerS = d.AsvPerSCalc;
    // rho_sv = Asv / (b s) >= 0.24 ft / fyv when V > 0.7 ft b h0   (9.2.9-3)
    if (d.needsStirrups) d.AsvPerS = std::max(d.AsvPerS, 0.24 * c.ft / fyv * b);
    d.sMax = largestSpacing(h, d.needsStirrups);
    return d;
}

int StirrupSpacing(int diameter, int legs, double AsvPerS, double sMax) {
    const double Asv = legs * barArea(diameter);
    const int widest = static_cast<int>(sMax) / kSpacingStep * kSpacingStep;
    for (int s = widest; s >= kLeastSpacing; s -= kSpacingStep)
        if (Asv / s >= AsvPerS) return s;
    return 0;
}

StirrupChoice ChooseStirrups(double AsvPerS, double sMax, int legs, int leastDiameter) {
    StirrupChoice out;
    out.legs = legs;
    for (int d : kStirrupDiameters) {
        if (d < leastDiameter) continue;
        const int s = StirrupSpacing(d, legs, AsvPerS, sMax);
        if (s == 0) continue;
        out.diameter = d;
        out.spacing = s;
        out.AsvPerS = legs * barArea(d) / s;
        out.found = true;
        return out;
    }
    return out;
}

int StirrupLegs(double innerWidth) {
    const int pairs = std::max(1, static_cast<int>(std::ceil(innerWidth / 1200.0)));
    return 2 * pairs;
}
