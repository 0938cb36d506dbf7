// Crack width by GB 50010-2010 7.1.2.
#include "rebar/CrackWidth.h"

#include <algorithm>

CrackWidth ComputeCrackWidth(const Concrete& c, const Steel& s, const CrackInput& in) {
    CrackWidth w;
    if (in.As <= 0.0 || in.h0 <= 0.0 || in.Ate <= 0.0) return w;
    // sigma_sq = Mq / (0.87 h0 As)   (7.1.4-3)
    w.sigmaS = in.Mq / (in.lever * in.h0 * in.As);
    // rho_te = As / Ate, at least 0.01
    w.rhoTe = std::max(0.01, in.As / in.Ate);
    // psi = 1.1 - 0.65 ftk / (rho_te sigma_s), 0.2 <= psi <= 1.0   (7.1.2-2)
    w.psi = w.sigmaS > 0.0 ? 1.1 - 0.65 * c.ftk / (w.rhoTe * w.sigmaS) : 0.2;
    w.psi = std::clamp(w.psi, 0.2, 1.0);
    // cs < 20 takes 20, > 65 takes 65
    w.cs = std::clamp(in.cs, 20.0, 65.0);
    // w_max = alpha_cr psi sigma_s / Es (1.9 cs + 0.08 deq / rho_te), alpha_cr = 1.9   (7.1.2-1)
    w.wMax = 1.9 * w.psi * w.sigmaS / s.Es * (1.9 * w.cs + 0.08 * in.deq / w.rhoTe);
    if (w.sigmaS <= 0.0) w.wMax = 0.0;
    return w;
}

double BondEquivalentDiameter(double d, bool ribbed) {
    return d / (ribbed ? 1.0 : 0.7);
}
