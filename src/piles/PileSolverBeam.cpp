// Hermite beam elements with a consistent Winkler stiffness. Nodal forces are
// recovered from element end actions, which keeps V and M accurate to the
// order of the nodal displacements instead of differentiating the cubic.
#include "piles/PileSolverBeam.h"

#include "platform/Assert.h"

#include <Eigen/Sparse>
#include <Eigen/SparseCholesky>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

using Vec4 = std::array<double, 4>;
using Mat4 = std::array<std::array<double, 4>, 4>;
using SparseMatrix = Eigen::SparseMatrix<double>;
// The stiffness of a pile is banded: natural ordering keeps the band and
// needs no fill-reducing analysis.
using Factorization =
    Eigen::SimplicialLDLT<SparseMatrix, Eigen::Lower, Eigen::NaturalOrdering<int>>;

// Four-point Gauss rule on [0, 1]: exact for the m-method springs (degree 7).
constexpr std::array<double, 4> kGaussXi{0.0694318442029737, 0.3300094782075719, 0.6699905217924281,
                                         0.9305681557970263};
constexpr std::array<double, 4> kGaussW{0.1739274225687269, 0.3260725774312731, 0.3260725774312731,
                                        0.1739274225687269};

// Cubic Hermite shape functions of an element of length l at xi in [0, 1].
Vec4 hermite(double xi, double l) {
    const double xi2 = xi * xi, xi3 = xi2 * xi;
    return {1.0 - 3.0 * xi2 + 2.0 * xi3, l * (xi - 2.0 * xi2 + xi3), 3.0 * xi2 - 2.0 * xi3,
            l * (xi3 - xi2)};
}

// Bending stiffness EI/l^3 [12 6l -12 6l; 6l 4l2 -6l 2l2; ...].
Mat4 bendingStiffness(double EI, double l) {
    const double a = EI / (l * l * l);
    return {{{12 * a, 6 * l * a, -12 * a, 6 * l * a},
             {6 * l * a, 4 * l * l * a, -6 * l * a, 2 * l * l * a},
             {-12 * a, -6 * l * a, 12 * a, -6 * l * a},
             {6 * l * a, 2 * l * l * a, -6 * l * a, 4 * l * l * a}}};
}

// The layer containing depth z; at an interface the lower layer applies.
double layerCoef(const BeamModel& m, double z) {
    if (m.layers.empty()) return 0.0;
    for (const BeamSoilLayer& layer : m.layers)
        if (z < layer.bottom) return layer.coef;
    return m.layers.back().coef;
}

// k at depth z (below the spring top) for a point moving downslope or not.
double subgradeAt(const BeamModel& m, double z, double layerDepth, bool downslope) {
    const double ys = std::max(z - m.springTop, 0.0);
    const double c = layerCoef(m, layerDepth);
    switch (m.law) {
        case SoilLaw::Linear:
            return c * ys;
        case SoilLaw::SquareRoot:
            return c * std::sqrt(ys);
        case SoilLaw::Constant:
            return c + (downslope ? m.coefA : m.coefA1);
    }
    return 0.0;
}

// The load intensity at depth z: linear between load nodes, zero outside.
double loadAt(const BeamModel& m, double z) {
    for (size_t i = 1; i < m.load.size(); ++i) {
        const BeamLoadNode &a = m.load[i - 1], &b = m.load[i];
        if (z >= a.depth && z <= b.depth && b.depth > a.depth)
            return a.q + (b.q - a.q) * (z - a.depth) / (b.depth - a.depth);
    }
    return 0.0;
}

// A pivot vanishing against the largest one means a mechanism: rounding
// leaves it a tiny number instead of an exact zero. Legitimate pivots of a
// pile (soft springs against 12 EI / l^3 of short elements) stay far above.
bool nearlySingular(const Eigen::VectorXd& d) {
    if (d.size() == 0) return true;
    const double largest = d.cwiseAbs().maxCoeff();
    return !(d.cwiseAbs().minCoeff() > 1e-13 * largest);
}

// Everything of one element that does not change between passes.
struct Element {
    double z0 = 0.0, l = 0.0;
    bool springs = false;       // lies below the spring top
    Vec4 load{};                // consistent nodal load
    std::array<double, 4> k{};  // k at the Gauss points, for the current assignment
};

class BeamSystem {
  public:
    BeamSystem(const BeamModel& model) : m_model(model) {}
    bool run(const BeamOptions& options, BeamSolution& out);
    void recover(BeamSolution& out) const;
    void balance(BeamSolution& out) const;

  private:
    void naturalEnds(std::vector<double>& momentBelow, std::vector<double>& momentAbove,
                     BeamSolution& out) const;
    void buildElements();
    void numberEquations();
    bool assignSprings(bool first);
    bool sidesMatch() const;
    void assemble();
    void buildPattern();
    Eigen::VectorXd loadVector() const;
    Mat4 elementMatrix(const Element& e) const;
    Vec4 elementDisplacements(size_t e) const;
    double yAt(size_t e, double xi) const;
    bool solvePass(Factorization& solver, const Eigen::VectorXd& f, bool first, BeamSolution& out);
    void setDisplacements(const Eigen::VectorXd& u);

    const BeamModel& m_model;
    std::vector<Element> m_elements;
    std::vector<int> m_equation;  // per DOF: equation index, -1 when held
    int m_equations = 0;
    std::vector<double> m_u;   // every DOF, held ones 0
    SparseMatrix m_K;          // lower triangle of the free equations
    std::vector<int> m_slots;  // per element entry: its place among m_K's values, -1 if none
    int m_anchorSlot = -1;
};

void BeamSystem::buildElements() {
    const std::vector<double>& z = m_model.nodes;
    m_elements.resize(z.size() - 1);
    for (size_t e = 0; e + 1 < z.size(); ++e) {
        Element& el = m_elements[e];
        el.z0 = z[e];
        el.l = z[e + 1] - z[e];
        el.springs = el.z0 >= m_model.springTop - 1e-9 * (1.0 + std::fabs(m_model.springTop));
        for (size_t g = 0; g < 4; ++g) {
            const Vec4 n = hermite(kGaussXi[g], el.l);
            const double q = loadAt(m_model, el.z0 + kGaussXi[g] * el.l);
            for (size_t a = 0; a < 4; ++a) el.load[a] += q * n[a] * kGaussW[g] * el.l;
        }
    }
}

void BeamSystem::numberEquations() {
    const size_t dofs = 2 * m_model.nodes.size();
    m_equation.assign(dofs, 0);
    if (m_model.base != BaseSupport::Free) m_equation[dofs - 2] = -1;
    if (m_model.base == BaseSupport::Fixed) m_equation[dofs - 1] = -1;
    m_equations = 0;
    for (int& eq : m_equation) eq = (eq < 0) ? -1 : m_equations++;
    m_u.assign(dofs, 0.0);
}

// Sets k at every Gauss point from the side the point moves to; true when
// some point changed side (always on the first pass).
bool BeamSystem::assignSprings(bool first) {
    bool changed = first;
    for (size_t e = 0; e < m_elements.size(); ++e) {
        Element& el = m_elements[e];
        if (!el.springs) continue;
        for (size_t g = 0; g < 4; ++g) {
            const double z = el.z0 + kGaussXi[g] * el.l;
            const bool down = first || yAt(e, kGaussXi[g]) >= 0.0;
            const double k = subgradeAt(m_model, z, z, down);
            if (!first && k != el.k[g]) changed = true;
            el.k[g] = k;
        }
    }
    return changed;
}

// Whether every Gauss point carries the coefficient of the side it moves to;
// leaves the assignment the solution was found with.
bool BeamSystem::sidesMatch() const {
    for (size_t e = 0; e < m_elements.size(); ++e) {
        const Element& el = m_elements[e];
        if (!el.springs) continue;
        for (size_t g = 0; g < 4; ++g) {
            const double z = el.z0 + kGaussXi[g] * el.l;
            if (subgradeAt(m_model, z, z, yAt(e, kGaussXi[g]) >= 0.0) != el.k[g]) return false;
        }
    }
    return true;
}

Mat4 BeamSystem::elementMatrix(const Element& el) const {
    Mat4 k = bendingStiffness(m_model.EI, el.l);
    if (!el.springs) return k;
    for (size_t g = 0; g < 4; ++g) {
        const Vec4 n = hermite(kGaussXi[g], el.l);
        const double w = el.k[g] * m_model.width * kGaussW[g] * el.l;
        for (size_t a = 0; a < 4; ++a)
            for (size_t b = 0; b < 4; ++b) k[a][b] += w * n[a] * n[b];
    }
    return k;
}

// The lower triangle, summed in place: the band pattern is the same on every
// pass, so the matrix keeps its storage and only its values are renewed,
// each element entry going straight to its slot.
void BeamSystem::assemble() {
    if (m_slots.empty()) {
        buildPattern();
    } else {
        m_K.coeffs().setZero();
    }
    double* values = m_K.valuePtr();
    for (size_t e = 0; e < m_elements.size(); ++e) {
        const Mat4 k = elementMatrix(m_elements[e]);
        const int* slot = &m_slots[16 * e];
        for (size_t a = 0; a < 4; ++a)
            for (size_t b = 0; b < 4; ++b)
                if (slot[4 * a + b] >= 0) values[slot[4 * a + b]] += k[a][b];
    }
    if (m_anchorSlot >= 0) values[m_anchorSlot] += m_model.anchor;
}

// The band of the lower triangle, and where each element entry lands in it.
void BeamSystem::buildPattern() {
    m_K.resize(m_equations, m_equations);
    m_K.reserve(Eigen::VectorXi::Constant(m_equations, 4));
    const auto entry = [this](size_t dofRow, size_t dofCol) -> std::pair<int, int> {
        const int row = m_equation[dofRow], col = m_equation[dofCol];
        if (row < 0 || col < 0 || col > row) return {-1, -1};
        return {row, col};
    };
    for (size_t e = 0; e < m_elements.size(); ++e)
        for (size_t a = 0; a < 4; ++a)
            for (size_t b = 0; b < 4; ++b)
                if (auto [row, col] = entry(2 * e + a, 2 * e + b); row >= 0)
                    m_K.coeffRef(row, col) = 0.0;
    m_K.makeCompressed();
    const auto slotOf = [this](int row, int col) {
        for (int i = m_K.outerIndexPtr()[col]; i < m_K.outerIndexPtr()[col + 1]; ++i)
            if (m_K.innerIndexPtr()[i] == row) return i;
        return -1;
    };
    m_slots.assign(16 * m_elements.size(), -1);
    for (size_t e = 0; e < m_elements.size(); ++e)
        for (size_t a = 0; a < 4; ++a)
            for (size_t b = 0; b < 4; ++b)
                if (auto [row, col] = entry(2 * e + a, 2 * e + b); row >= 0)
                    m_slots[16 * e + 4 * a + b] = slotOf(row, col);
    m_anchorSlot =
        (m_model.anchor > 0.0 && m_equation[0] >= 0) ? slotOf(m_equation[0], m_equation[0]) : -1;
}

Eigen::VectorXd BeamSystem::loadVector() const {
    Eigen::VectorXd f = Eigen::VectorXd::Zero(m_equations);
    for (size_t e = 0; e < m_elements.size(); ++e)
        for (size_t a = 0; a < 4; ++a)
            if (m_equation[2 * e + a] >= 0) f[m_equation[2 * e + a]] += m_elements[e].load[a];
    for (const BeamPointAction& p : m_model.actions) {
        const auto it =
            std::lower_bound(m_model.nodes.begin(), m_model.nodes.end(), p.depth - 1e-9);
        const size_t node = static_cast<size_t>(it - m_model.nodes.begin());
        if (node >= m_model.nodes.size()) continue;
        // A couple that raises M going down is a nodal moment of the opposite sense.
        if (m_equation[2 * node] >= 0) f[m_equation[2 * node]] += p.force;
        if (m_equation[2 * node + 1] >= 0) f[m_equation[2 * node + 1]] -= p.couple;
    }
    return f;
}

Vec4 BeamSystem::elementDisplacements(size_t e) const {
    return {m_u[2 * e], m_u[2 * e + 1], m_u[2 * e + 2], m_u[2 * e + 3]};
}

double BeamSystem::yAt(size_t e, double xi) const {
    const Vec4 n = hermite(xi, m_elements[e].l);
    const Vec4 u = elementDisplacements(e);
    return n[0] * u[0] + n[1] * u[1] + n[2] * u[2] + n[3] * u[3];
}

// Solve, then reassign the A/A1 side of every Gauss point by the sign of y
// and solve again until no point changes side. Only the K-method with A != A1
// needs more than one pass.
bool BeamSystem::run(const BeamOptions& options, BeamSolution& out) {
    buildElements();
    numberEquations();
    const bool sided = m_model.law == SoilLaw::Constant && !EXACT(m_model.coefA, m_model.coefA1);
    const Eigen::VectorXd f = loadVector();
    Factorization solver;
    bool first = true;
    for (out.passes = 0; out.passes < std::max(1, options.maxPasses);) {
        const bool changed = assignSprings(first);
        if (!first && !changed && options.stopWhenSettled) break;
        if (!solvePass(solver, f, first, out)) return false;
        ++out.passes;
        first = false;
        if (!sided) break;
    }
    out.settled = !sided || sidesMatch();
    if (!out.settled) out.message = "K法迭代未稳定(已达最多迭代次数)";
    return true;
}

bool BeamSystem::solvePass(Factorization& solver, const Eigen::VectorXd& f, bool first,
                           BeamSolution& out) {
    assemble();
    if (first) solver.analyzePattern(m_K);
    solver.factorize(m_K);
    if (solver.info() != Eigen::Success || nearlySingular(solver.vectorD())) {
        out.message = "刚度矩阵奇异, 桩身处于机动状态";
        return false;
    }
    const Eigen::VectorXd u = solver.solve(f);
    setDisplacements(u);
    if (!u.allFinite()) {
        out.message = "求解结果无效";
        return false;
    }
    return true;
}

void BeamSystem::setDisplacements(const Eigen::VectorXd& u) {
    for (size_t d = 0; d < m_equation.size(); ++d)
        m_u[d] = m_equation[d] >= 0 ? u[m_equation[d]] : 0.0;
}

// Nodal V and M from the element end actions F = Ke ue - fe:
// F1 = V(top+), F2 = -M(top), F3 = -V(bottom-), F4 = M(bottom).
void BeamSystem::recover(BeamSolution& out) const {
    const size_t n = m_model.nodes.size();
    out.y.resize(n);
    out.theta.resize(n);
    out.moment.assign(n, 0.0);
    out.shearAbove.assign(n, 0.0);
    out.shearBelow.assign(n, 0.0);
    out.subgrade.assign(n, 0.0);
    std::vector<double> momentAbove(n, 0.0), momentBelow(n, 0.0);
    for (size_t i = 0; i < n; ++i) {
        out.y[i] = m_u[2 * i];
        out.theta[i] = m_u[2 * i + 1];
    }
    for (size_t e = 0; e < m_elements.size(); ++e) {
        const Mat4 k = elementMatrix(m_elements[e]);
        const Vec4 u = elementDisplacements(e);
        // Large terms of a stiff element cancel here: sum in extended precision.
        Vec4 F{};
        for (size_t a = 0; a < 4; ++a) {
            long double sum = -static_cast<long double>(m_elements[e].load[a]);
            for (size_t b = 0; b < 4; ++b) sum += static_cast<long double>(k[a][b]) * u[b];
            F[a] = static_cast<double>(sum);
        }
        out.shearBelow[e] = F[0];
        momentBelow[e] = -F[1];
        out.shearAbove[e + 1] = -F[2];
        momentAbove[e + 1] = F[3];
    }
    naturalEnds(momentBelow, momentAbove, out);
    for (size_t i = 0; i < n; ++i) {
        if (i == 0)
            out.moment[i] = momentBelow[i];
        else if (i + 1 == n)
            out.moment[i] = momentAbove[i];
        else
            out.moment[i] = 0.5 * (momentAbove[i] + momentBelow[i]);
        const double z = m_model.nodes[i];
        if (z >= m_model.springTop - 1e-9 * (1.0 + std::fabs(m_model.springTop)) && n > 1) {
            // k just below the point; at the base the limit from above.
            const double layerDepth = (i + 1 == n) ? 0.5 * (z + m_model.nodes[i - 1]) : z;
            out.subgrade[i] = subgradeAt(m_model, z, layerDepth, out.y[i] >= 0.0);
        }
    }
}

// The ends where nothing holds the pile carry exactly what acts on them there
// (the top its cable and any action, a free base nothing, a hinge no moment).
// The recovered values differ from these only by rounding, which would
// otherwise show as a -0.000 extreme at an end.
void BeamSystem::naturalEnds(std::vector<double>& momentBelow, std::vector<double>& momentAbove,
                             BeamSolution& out) const {
    const double zTop = m_model.nodes.front(), zBase = m_model.nodes.back();
    double topForce = 0.0, topCouple = 0.0, baseForce = 0.0, baseCouple = 0.0;
    for (const BeamPointAction& p : m_model.actions) {
        if (std::fabs(p.depth - zTop) < 1e-9) {
            topForce += p.force;
            topCouple += p.couple;
        }
        if (std::fabs(p.depth - zBase) < 1e-9) {
            baseForce += p.force;
            baseCouple += p.couple;
        }
    }
    momentBelow.front() = topCouple;
    out.shearBelow.front() = topForce - m_model.anchor * m_u[0];
    if (m_model.base != BaseSupport::Fixed) momentAbove.back() = -baseCouple;
    if (m_model.base == BaseSupport::Free) out.shearAbove.back() = -baseForce;
}

// The global balance: load, soil, anchor and support, each found its own way
// (exact load integral, Gauss integral of k y, the spring, the support row).
void BeamSystem::balance(BeamSolution& out) const {
    double S = 0.0, Sz = 0.0, Q = 0.0, Qz = 0.0, couples = 0.0;
    out.samples.clear();
    for (size_t e = 0; e < m_elements.size(); ++e) {
        const Element& el = m_elements[e];
        for (size_t g = 0; g < 4; ++g) {
            const double z = el.z0 + kGaussXi[g] * el.l, w = kGaussW[g] * el.l;
            const double q = loadAt(m_model, z);
            Q += q * w;
            Qz += q * z * w;
            if (!el.springs) continue;
            const double y = yAt(e, kGaussXi[g]);
            S += el.k[g] * m_model.width * y * w;
            Sz += el.k[g] * m_model.width * y * z * w;
            out.samples.push_back({z, y, el.k[g]});
        }
    }
    for (const BeamPointAction& p : m_model.actions) {
        Q += p.force;
        Qz += p.force * p.depth;
        couples += p.couple;
    }
    const double zBase = m_model.nodes.back();
    out.appliedLoad = Q;
    out.soilForce = S;
    out.anchorForce = m_model.anchor * out.y.front();
    // The support holds the base against what is left of the load above it.
    out.baseReaction = m_model.base == BaseSupport::Free ? 0.0 : out.shearAbove.back();
    out.baseMoment = out.moment.back();
    out.forceResidual = Q - S - out.anchorForce - out.baseReaction;
    // Moments about the top, clockwise positive with z down and y downslope.
    const double supportCouple = m_model.base == BaseSupport::Fixed ? out.moment.back() : 0.0;
    out.momentResidual = Qz - couples - Sz - out.baseReaction * zBase + supportCouple;
}

}  // namespace

BeamSolution solveBeam(const BeamModel& model, const BeamOptions& options) {
    BeamSolution out;
    if (model.nodes.size() < 2) {
        out.message = "桩身计算点不足";
        return out;
    }
    BeamSystem system(model);
    if (!system.run(options, out)) return out;
    out.solved = true;
    system.recover(out);
    system.balance(out);
    return out;
}

std::vector<double> meshDepths(const std::vector<double>& breaks, double maxInterval) {
    std::vector<double> nodes;
    if (breaks.empty()) return nodes;
    nodes.push_back(breaks.front());
    for (size_t i = 1; i < breaks.size(); ++i) {
        const double a = breaks[i - 1], b = breaks[i];
        if (!(b > a)) continue;
        // A hair below an exact multiple must not add an interval.
        const int n = std::max(1, static_cast<int>(std::ceil((b - a) / maxInterval - 1e-9)));
        for (int j = 1; j < n; ++j) nodes.push_back(a + (b - a) * j / n);
        nodes.push_back(b);
    }
    return nodes;
}
