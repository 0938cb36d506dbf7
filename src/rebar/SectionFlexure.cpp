// Flexural design and capacity of rectangular and circular sections.
#include "rebar/SectionFlexure.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;

double alphaSMax(const Concrete& c, const Steel& s) {
    const double xib = BalancedDepth(c, s);
    return xib * (1.0 - 0.5 * xib);
}

// The two sums of E.0.4 for N = 0 at alpha:
//   axial  = alpha alpha1 fc A (1 - sin 2 pi alpha / (2 pi alpha)) + (alpha - alpha_t) fy As
//   moment = 2/3 alpha1 fc A r sin³(pi alpha) / pi + fy As rs (sin pi alpha + sin pi alpha_t) / pi
double alphaT(double alpha) {
    return std::max(0.0, 1.25 - 2.0 * alpha);
}

double concreteForce(const Concrete& c, double r, double alpha) {
    const double A = kPi * r * r;
    const double t = 2.0 * kPi * alpha;
    return alpha * c.alpha1 * c.fc * A * (1.0 - std::sin(t) / t);
}

double circleMoment(const Concrete& c, const Steel& s, double r, double rs, double As,
                    double alpha) {
    const double A = kPi * r * r;
    const double sa = std::sin(kPi * alpha);
    return 2.0 / 3.0 * c.alpha1 * c.fc * A * r * sa * sa * sa / kPi +
           s.fy * As * rs * (sa + std::sin(kPi * alphaT(alpha))) / kPi;
}

// The steel that balances the concrete at alpha (N = 0); alpha below 5/12 so
// that alpha_t > alpha.
double circleSteelAt(const Concrete& c, const Steel& s, double r, double alpha) {
    return concreteForce(c, r, alpha) / ((alphaT(alpha) - alpha) * s.fy);
}

constexpr double kRoundOff = 1.0e-12;
constexpr double kAlphaTop = 1.25 / 3.0;  // alpha_t = alpha: no steel balances beyond

}  // namespace

double LeastSteelRatio(const Concrete& c, const Steel& s) {
    // rho_min = max(0.20 %, 45 ft / fy %)   (8.5.1)
    return std::max(0.002, 0.45 * c.ft / s.fy);
}

RectFlexure DesignRectFlexure(const Concrete& c, const Steel& s, double b, double h0, double M,
                              double AsCompGiven, double asComp) {
    RectFlexure f;
    f.alphaSMax = alphaSMax(c, s);
    const double xib = BalancedDepth(c, s);
    const double block = c.alpha1 * c.fc * b * h0 * h0;
    // alpha_s = M / (alpha1 fc b h0²)   (6.2.10-1 with x = xi h0)
    f.alphaS = M / block;
    // A moment computed as alpha_s,max times the block comes back a rounding
    // past it: that is still the limit, singly reinforced.
    if (f.alphaS <= f.alphaSMax * (1.0 + kRoundOff)) {
        f.alphaS = std::min(f.alphaS, f.alphaSMax);
        // xi = 1 - sqrt(1 - 2 alpha_s);  As = alpha1 fc b xi h0 / fy
        f.xi = 1.0 - std::sqrt(1.0 - 2.0 * f.alphaS);
        f.As = c.alpha1 * c.fc * b * f.xi * h0 / s.fy;
        return f;
    }
    f.doubly = true;
    const double arm = h0 - asComp;
    // The given compression steel first: alpha_s = (M - fy' As' (h0 - a's)) / (alpha1 fc b h0²)
    const double alphaS = (M - s.fyc * AsCompGiven * arm) / block;
    if (alphaS <= f.alphaSMax) {
        f.AsComp = AsCompGiven;
        f.alphaS = alphaS;
        f.xi = 1.0 - std::sqrt(1.0 - 2.0 * std::max(0.0, alphaS));
        if (f.xi * h0 < 2.0 * asComp) {
            // x < 2a's: As = M / (fy (h0 - a's))   (6.2.14)
            // or the compression steel left out where that needs less
            f.lowX = true;
            f.As = M / (s.fy * arm);
            const double alphaS0 = M / block;
            if (alphaS0 <= f.alphaSMax)
                f.As = std::min(
                    f.As, c.alpha1 * c.fc * b * (1.0 - std::sqrt(1.0 - 2.0 * alphaS0)) * h0 / s.fy);
        } else {
            f.As = (c.alpha1 * c.fc * b * f.xi * h0 + s.fyc * AsCompGiven) / s.fy;
        }
        return f;
    }
    // Not enough: x = xi_b h0,
    // As' = (M - alpha_s,max alpha1 fc b h0²) / (fy' (h0 - a's)),
    // As = (alpha1 fc b xi_b h0 + fy' As') / fy
    f.xi = xib;
    f.AsComp = (M - f.alphaSMax * block) / (s.fyc * arm);
    f.As = (c.alpha1 * c.fc * b * xib * h0 + s.fyc * f.AsComp) / s.fy;
    return f;
}

double RectMomentCapacity(const Concrete& c, const Steel& s, double b, double h0, double As,
                          double AsComp, double asComp) {
    const double xb = BalancedDepth(c, s) * h0;
    const double arm = h0 - asComp;
    // Concrete alone: alpha1 fc b x = fy As
    const double x0 = std::min(s.fy * As / (c.alpha1 * c.fc * b), xb);
    const double single = c.alpha1 * c.fc * b * x0 * (h0 - x0 / 2.0);
    if (AsComp <= 0.0 || arm <= 0.0) return single;
    // alpha1 fc b x = fy As - fy' As'
    double x = (s.fy * As - s.fyc * AsComp) / (c.alpha1 * c.fc * b);
    x = std::min(x, xb);
    // x < 2a's: Mu = fy As (h0 - a's), or the compression steel left out,
    // whichever is more (6.2.14)
    if (x < 2.0 * asComp) return std::max(s.fy * As * arm, single);
    return c.alpha1 * c.fc * b * x * (h0 - x / 2.0) + s.fyc * AsComp * arm;
}

CircleFlexure DesignCircleFlexure(const Concrete& c, const Steel& s, double r, double rs,
                                  double M) {
    CircleFlexure f;
    // Both the steel and the moment grow with alpha: bisect on alpha for M.
    double lo = 1.0e-9, hi = kAlphaTop - 1.0e-9;
    if (circleMoment(c, s, r, rs, circleSteelAt(c, s, r, hi), hi) < M) return f;
    for (int i = 0; i < 200; ++i) {
        const double mid = 0.5 * (lo + hi);
        if (circleMoment(c, s, r, rs, circleSteelAt(c, s, r, mid), mid) < M)
            lo = mid;
        else
            hi = mid;
    }
    f.alpha = hi;
    f.alphaT = alphaT(hi);
    f.As = circleSteelAt(c, s, r, hi);
    f.solved = true;
    return f;
}

double CircleMomentCapacity(const Concrete& c, const Steel& s, double r, double rs, double As) {
    if (As <= 0.0) return 0.0;
    // The axial sum rises with alpha from -1.25 fy As: bisect for 0.
    double lo = 1.0e-9, hi = 1.0;
    for (int i = 0; i < 200; ++i) {
        const double mid = 0.5 * (lo + hi);
        if (concreteForce(c, r, mid) + (mid - alphaT(mid)) * s.fy * As < 0.0)
            lo = mid;
        else
            hi = mid;
    }
    return circleMoment(c, s, r, rs, As, hi);
}
