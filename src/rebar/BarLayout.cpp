// Laying and choosing longitudinal bars.
#include "rebar/BarLayout.h"

#include "platform/PrintfFormat.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace {

constexpr std::array<int, 7> kDiameters{20, 22, 25, 28, 32, 36, 40};
constexpr int kLeastRingBundles = 6;  // E.0.4 asks for at least six bars round a circle
constexpr int kMostBundles = 400;

// Distance from the layer's bottom to the bundle's centroid: half a bar for
// one or two side by side, (d + d/2 + (d/2 + d·sqrt(3)/2)) / 3 for a triangle
// of two below and one above.
double bundleCentroid(int d, int bundle) {
    if (bundle == 3) return d * (2.0 + std::sqrt(3.0) / 2.0) / 3.0;
    return d / 2.0;
}

double clearFor(const BarSpace& space, int d, int bundle) {
    return std::max(space.leastClear, d * std::sqrt(static_cast<double>(bundle)));
}

bool better(const BarGroup& a, const BarGroup& b) {
    if (b.empty()) return true;
    if (a.bars() != b.bars()) return a.bars() < b.bars();
    if (std::fabs(a.area() - b.area()) > 1e-9) return a.area() < b.area();
    return (a.layer2 == 0) && (b.layer2 != 0);
}

}  // namespace

double BarGroup::area() const {
    return bars() * std::numbers::pi * diameter * diameter / 4.0;
}

double BarGroup::equivalentDiameter() const {
    return diameter * std::sqrt(static_cast<double>(bundle));
}

std::string BarGroup::label() const {
    if (empty()) return {};
    if (bundle > 1) return stringPrintf("%dΦ%d(%d并)", bars(), diameter, bundle);
    return stringPrintf("%dΦ%d", bars(), diameter);
}

double BundleWidth(int d, int bundle) {
    return bundle == 1 ? d : 2.0 * d;
}

double BundleHeight(int d, int bundle) {
    return bundle == 3 ? d * (1.0 + std::sqrt(3.0) / 2.0) : d;
}

BarGroup LayFaceBars(const BarSpace& space, int d, int bundle, int n) {
    BarGroup g;
    const double w = BundleWidth(d, bundle);
    const double clear = clearFor(space, d, bundle);
    // n bundles in a row take n w + (n - 1) clear
    const int perLayer = static_cast<int>(std::floor((space.width + clear) / (w + clear)));
    if (perLayer < 2 || n < 2 || n > 2 * perLayer) return g;
    g.diameter = d;
    g.bundle = bundle;
    g.bundles = n;
    g.layer1 = std::min(n, perLayer);
    g.layer2 = n - g.layer1;
    g.clear = g.layer1 > 1 ? (space.width - g.layer1 * w) / (g.layer1 - 1) : 0.0;
    const double a1 = space.inset + bundleCentroid(d, bundle);
    const double a2 = space.inset + BundleHeight(d, bundle) + clear + bundleCentroid(d, bundle);
    g.centroid = (g.layer1 * a1 + g.layer2 * a2) / n;
    if (space.fixedCentroid > 0.0) g.centroid = space.fixedCentroid;
    return g;
}

BarGroup LayRingBars(const BarSpace& space, int d, int bundle, int n) {
    BarGroup g;
    if (n < kLeastRingBundles) return g;
    const double w = BundleWidth(d, bundle);
    const double clear = clearFor(space, d, bundle);
    const double rs = space.fixedCentroid > 0.0
                          ? space.radius - space.fixedCentroid
                          : space.radius - space.inset - bundleCentroid(d, bundle);
    if (rs <= 0.0) return g;
    // Neighbouring centres lie 2 rs sin(pi / n) apart.
    const double gap = 2.0 * rs * std::sin(std::numbers::pi / n) - w;
    if (gap < clear) return g;
    g.diameter = d;
    g.bundle = bundle;
    g.bundles = n;
    g.layer1 = n;
    g.clear = gap;
    g.radius = rs;
    g.centroid = space.radius - rs;
    return g;
}

BarGroup ChooseFaceBars(const BarSpace& space, const BarCheck& check) {
    BarGroup best;
    for (int d : kDiameters)
        for (int bundle = 1; bundle <= 3; ++bundle)
            for (int n = 2; n <= kMostBundles; ++n) {
                const BarGroup g = LayFaceBars(space, d, bundle, n);
                if (g.empty()) break;  // more bundles fit no better
                if (!best.empty() && g.bars() > best.bars()) break;
                if (check(g)) {
                    if (better(g, best)) best = g;
                    break;
                }
            }
    return best;
}

BarGroup ChooseRingBars(const BarSpace& space, const BarCheck& check) {
    BarGroup best;
    for (int d : kDiameters)
        for (int bundle = 1; bundle <= 3; ++bundle)
            for (int n = kLeastRingBundles; n <= kMostBundles; ++n) {
                const BarGroup g = LayRingBars(space, d, bundle, n);
                if (g.empty()) break;
                if (!best.empty() && g.bars() > best.bars()) break;
                if (check(g)) {
                    if (better(g, best)) best = g;
                    break;
                }
            }
    return best;
}
