// The finite-element core of the pile solver: an Euler-Bernoulli beam on
// linear Winkler springs, cubic Hermite elements, solved with Eigen's sparse
// LDLT. It knows depths, stiffnesses and loads in kN and m; which pile, which
// code and which units the record uses is the pile solver's business.
#pragma once

#include <string>
#include <vector>

// How the subgrade coefficient grows below the spring top (y_s = z - springTop):
// m-method k = c * y_s, C-method k = c * sqrt(y_s), K-method k = c (+ A or A1).
enum class SoilLaw { Linear, SquareRoot, Constant };

enum class BaseSupport { Free, Hinged, Fixed };

// A soil layer reaching down to `bottom` (m from the top) with coefficient `coef`
// (kN/m4, kN/m3.5 or kN/m3 by the law). Below the last bottom the last layer goes on.
struct BeamSoilLayer {
    double bottom = 0.0;
    double coef = 0.0;
};

// A concentrated action at a node: `force` is the jump of V going down (kN,
// downslope positive), `couple` the jump of M going down (kN-m).
struct BeamPointAction {
    double depth = 0.0;
    double force = 0.0;
    double couple = 0.0;
};

// A node of the piecewise-linear distributed load (kN/m per pile, downslope
// positive); the intensity is linear between nodes and zero outside them.
struct BeamLoadNode {
    double depth = 0.0;
    double q = 0.0;
};

struct BeamModel {
    std::vector<double> nodes{};  // mesh depths, ascending, first 0, last the base
    double EI = 0.0;              // kN-m2
    double width = 0.0;           // Bp, the width the soil reacts on (m)
    double springTop = 0.0;       // no springs above this depth; must be a node
    SoilLaw law = SoilLaw::Linear;
    std::vector<BeamSoilLayer> layers{};
    double coefA = 0.0;   // kN/m3 added where y >= 0 (Constant law only)
    double coefA1 = 0.0;  // kN/m3 added where y < 0 (Constant law only)
    std::vector<BeamLoadNode> load{};
    std::vector<BeamPointAction> actions{};
    double anchor = 0.0;  // kN/m, horizontal spring at the top
    BaseSupport base = BaseSupport::Free;
};

struct BeamOptions {
    int maxPasses = 100;  // passes of the A/A1 sign iteration
    // Stop as soon as no integration point changes side. Off only to time the
    // worst case, every pass run.
    bool stopWhenSettled = true;
};

// Values at the nodes in the report convention (y > 0 downslope, EI y'' = M,
// V = dM/dz), and the global balance of forces in kN.
struct BeamSolution {
    bool solved = false;
    std::string message;  // why not solved, or why the iteration did not settle
    int passes = 0;
    bool settled = true;  // the A/A1 assignment matched the signs of y

    std::vector<double> y, theta, moment;
    std::vector<double> shearAbove, shearBelow;  // V just above / below each node
    std::vector<double> subgrade;                // k just below each node (kN/m3)

    double appliedLoad = 0.0;     // distributed load plus point forces
    double soilForce = 0.0;       // integral of k * width * y
    double anchorForce = 0.0;     // T = anchor * y_top, > 0 when the cable is stretched
    double baseReaction = 0.0;    // upslope force of the support on the base
    double baseMoment = 0.0;      // reaction couple of a fixed base
    double forceResidual = 0.0;   // applied - soil - anchor - base
    double momentResidual = 0.0;  // the same balance of moments about the top

    // Integration points of the spring zone: depth, y, and the k used there.
    struct Sample {
        double depth, y, k;
    };
    std::vector<Sample> samples;
};

// Node depths from ascending break depths: every interval between consecutive
// breaks is divided into equal parts no longer than maxInterval.
std::vector<double> meshDepths(const std::vector<double>& breaks, double maxInterval);

BeamSolution solveBeam(const BeamModel& model, const BeamOptions& options = {});
