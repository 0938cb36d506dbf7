// The pile solver's run: refuse what cannot be computed, solve the beam, hand
// the points back negated (the solver convention the report expects) and the
// summary extremes in the report convention.
#include "piles/PileSolver.h"

#include "piles/PileSolverModel.h"

#include <cmath>

namespace {

// Rigid-pile limits of the codes: alpha h <= 2.5 (m and C methods), beta h <= 1.0 (K).
constexpr double kRigidAlphaH = 2.5;
constexpr double kRigidBetaH = 1.0;

PileForcePoint toPoint(const BeamSolution& s, const BeamModel& m, size_t i) {
    PileForcePoint p;
    p.depth = static_cast<float>(m.nodes[i]);
    p.displacement = static_cast<float>(-s.y[i] * 1000.0);
    p.momentA = p.momentB = static_cast<float>(-s.moment[i]);
    p.shearA = static_cast<float>(-s.shearAbove[i]);
    p.shearB = static_cast<float>(-s.shearBelow[i]);
    // sigma = k y, with k just below the point
    p.soilReaction = static_cast<float>(-s.subgrade[i] * s.y[i]);
    return p;
}

// alpha = (m Bp / EI)^(1/5), alpha = (C Bp / EI)^(1/4.5), beta = (K Bp / 4 EI)^(1/4),
// with the coefficient of the soil just below the slip surface.
void relativeStiffness(const BeamModel& m, double h, PileSolverSummary& out) {
    double coef = 0.0;
    for (const BeamSoilLayer& layer : m.layers) {
        coef = layer.coef;
        if (m.springTop < layer.bottom) break;
    }
    out.stiffnessCoef = coef;
    if (m.law == SoilLaw::Constant)
        out.alpha = std::pow(coef * m.width / (4.0 * m.EI), 0.25);
    else
        out.alpha = std::pow(coef * m.width / m.EI, m.law == SoilLaw::Linear ? 0.2 : 1.0 / 4.5);
    out.relativeStiffness = out.alpha * h;
    out.rigid = out.relativeStiffness <= (m.law == SoilLaw::Constant ? kRigidBetaH : kRigidAlphaH);
}

}  // namespace

bool PileSolverOptions::isValid(std::string* why) const {
    if (!(maxInterval > 0.0f) || maxInterval > 0.5f) {
        if (why) *why = "计算点间距应在0~0.5(m)之间";
        return false;
    }
    if (maxPasses < 1) {
        if (why) *why = "K法迭代次数应至少为1";
        return false;
    }
    return true;
}

int PileSolver::SetData(CPile_ShuJu* data) {
    m_data = data;
    return 1;
}

int PileSolver::refuse(const std::string& why) {
    m_summary.outcome = PileSolveOutcome::Refused;
    m_summary.message = why;
    return 0;
}

int PileSolver::calculate_DTQ() {
    m_points.clear();
    m_samples.clear();
    m_summary = {};
    m_slipDepth = 0.0f;
    if (!m_data) return refuse("没有桩的数据");
    m_slipDepth = m_data->freeLength;
    std::string why;
    if (!m_options.isValid(&why)) return refuse(why);
    if (why = pileRefusal(*m_data, m_load, m_coefA, m_coefA1); !why.empty()) return refuse(why);

    const BeamModel model =
        buildPileModel(*m_data, m_load, m_coefA, m_coefA1, m_options.maxInterval);
    const BeamSolution s = solveBeam(model, {m_options.maxPasses, m_options.stopWhenSettled});
    if (!s.solved) return refuse(s.message);

    for (size_t i = 0; i < model.nodes.size(); ++i) m_points.push_back(toPoint(s, model, i));
    for (const BeamSolution::Sample& g : s.samples) m_samples.push_back({g.depth, g.y, g.k});
    m_summary.outcome = s.settled ? PileSolveOutcome::Solved : PileSolveOutcome::NotSettled;
    m_summary.message = s.message;
    m_summary.passes = s.passes;
    m_summary.EI = model.EI;
    m_summary.width = model.width;
    relativeStiffness(model, m_data->embedDepth, m_summary);
    m_summary.appliedLoad = s.appliedLoad;
    m_summary.soilForce = s.soilForce;
    m_summary.anchorForce = s.anchorForce;
    m_summary.baseReaction = s.baseReaction;
    m_summary.baseMoment = s.baseMoment;
    m_summary.forceResidual = s.forceResidual;
    m_summary.momentResidual = s.momentResidual;
    writeSummary();
    return 1;
}

// Extremes over the points in the report convention; on ties the shallowest
// point wins, so only a strictly larger value replaces the one found.
void PileSolver::writeSummary() {
    CPile_ShuJu& d = *m_data;
    d.innerMaxMoment = d.innerMaxDepth = d.outerMaxMoment = d.outerMaxDepth = 0.0f;
    d.maxShear = d.maxShearDepth = 0.0f;
    for (const PileForcePoint& p : m_points) {
        const float M = -p.momentA;
        if (M > d.innerMaxMoment) {
            d.innerMaxMoment = M;
            d.innerMaxDepth = p.depth;
        }
        if (M < d.outerMaxMoment) {
            d.outerMaxMoment = M;
            d.outerMaxDepth = p.depth;
        }
        for (const float V : {-p.shearA, -p.shearB}) {
            if (std::fabs(V) > std::fabs(d.maxShear)) {
                d.maxShear = V;
                d.maxShearDepth = p.depth;
            }
        }
    }
    d.topDisplacement = m_points.empty() ? 0.0f : -m_points.front().displacement;
}
