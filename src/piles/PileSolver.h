// The pile solver: one anti-slide pile as a beam on Winkler springs below the
// slip surface (m-, C- or K-method), loaded over its free length by the load
// table. It takes the input record and gives back the result points, the
// summary values written into the record, and a balance of forces.
#pragma once

#include "piles/PileData.h"

#include <string>
#include <vector>

enum class PileSolveOutcome {
    NotRun,
    Solved,
    NotSettled,  // solved, but the A/A1 iteration reached its pass limit
    Refused,     // the data describe no pile that can be computed; no points
};

struct PileSolverOptions {
    float maxInterval = 0.1f;     // m, the longest interval between result points
    int maxPasses = 100;          // passes of the K-method A/A1 iteration
    bool stopWhenSettled = true;  // off only to time every pass

    bool isValid(std::string* why) const;
};

// What the solver found besides the points: the quantities of the pile data
// sheet, in kN and m.
struct PileSolverSummary {
    PileSolveOutcome outcome = PileSolveOutcome::NotRun;
    std::string message;  // the reason for a refusal or an unsettled iteration
    int passes = 0;

    double EI = 0.0;                 // kN-m2
    double width = 0.0;              // Bp, the calculation width (m)
    double stiffnessCoef = 0.0;      // m, C or K (+A) just below the slip surface, kN units
    double alpha = 0.0;              // alpha (m, C method) or beta (K method), 1/m
    double relativeStiffness = 0.0;  // alpha*h or beta*h
    bool rigid = false;              // alpha*h <= 2.5, or beta*h <= 1.0 for the K method

    double appliedLoad = 0.0;   // load on one pile
    double soilForce = 0.0;     // total soil reaction
    double anchorForce = 0.0;   // cable tension, > 0 when stretched
    double baseReaction = 0.0;  // upslope force of the support on the base
    double baseMoment = 0.0;    // M at the base (report convention)
    double forceResidual = 0.0;
    double momentResidual = 0.0;
};

class PileSolver {
  public:
    explicit PileSolver(PileSolverOptions options = {}) : m_options(options) {}

    // Takes the record the solver reads and writes its summary into; it must
    // outlive calculate_DTQ. Always 1.
    int SetData(CPile_ShuJu* data);
    // The load table, per metre width of slope; the pile spacing of the record
    // turns it into the load of one pile.
    void SetLoadTable(std::vector<PileLoadPoint> table) { m_load = std::move(table); }
    void SetCoefA(float a) { m_coefA = a; }    // MN/m3, downslope face
    void SetCoefA1(float a) { m_coefA1 = a; }  // MN/m3, upslope face
    // A fixed setting the calling run passes (0.5); our model has no use for it.
    void SetFixedSetting(float value) { m_fixedSetting = value; }

    // 1 when there are points (also when the iteration did not settle), 0 on a
    // refusal, whose reason is in summary().message.
    int calculate_DTQ();

    const std::vector<PileForcePoint>& points() const { return m_points; }
    // The caller may clear what it does not want reported (the soil reaction
    // above the slip surface); the summary is not recomputed.
    std::vector<PileForcePoint>& points() { return m_points; }
    int pointCount() const { return static_cast<int>(m_points.size()); }
    float slipDepth() const { return m_slipDepth; }
    const PileSolverSummary& summary() const { return m_summary; }
    // y (m) and the k used (kN/m3) at every integration point below the slip
    // surface, to check that each point carries the coefficient of its side.
    struct Sample {
        double depth, y, k;
    };
    const std::vector<Sample>& samples() const { return m_samples; }

  private:
    int refuse(const std::string& why);
    void writeSummary();

    PileSolverOptions m_options;
    CPile_ShuJu* m_data = nullptr;
    std::vector<PileLoadPoint> m_load;
    float m_coefA = 0.0f;
    float m_coefA1 = 0.0f;
    float m_fixedSetting = 0.5f;

    std::vector<PileForcePoint> m_points;
    std::vector<Sample> m_samples;
    float m_slipDepth = 0.0f;
    PileSolverSummary m_summary;
};
