// What passes between the pile-force run and the pile solver: the input record
// of one pile (section, material, soil layers, base, anchor), the load table,
// and the result points the report and the depth charts are drawn from.
#pragma once

#include <array>

// One soil layer along the pile, thicknesses cumulated from the pile top.
struct PileLayer {
    float thickness = 0.0f;  // m
    float gamma = 18.0f;     // kN/m3 (carried, not used by the solver)
    float m = 0.0f;          // MN/m4, m-method
    float c = 0.0f;          // MN/m3.5, C-method
    float k = 0.0f;          // MN/m3, K-method
};

// One computed section along the pile, from the top down, in the solver's
// sign convention: every value is the negative of the report convention
// (y > 0 downslope, M > 0 with the upslope face in tension, V = dM/dz).
struct PileForcePoint {
    float depth = 0.0f;         // m from the pile top
    float soilReaction = 0.0f;  // kPa, -sigma
    float shearA = 0.0f;        // kN, -V just above the point
    float shearB = 0.0f;        // kN, -V just below the point
    float momentA = 0.0f;       // kN-m, -M
    float momentB = 0.0f;       // kN-m, -M
    float displacement = 0.0f;  // mm, -y
};

// One point of the load table: intensities per metre width of slope (kN/m),
// a part rising from 0 at the top and a part falling to 0 at the slip surface.
// Between points the intensities vary linearly; outside them there is none.
struct PileLoadPoint {
    float depth = 0.0f;
    float rising = 0.0f;
    float falling = 0.0f;
};

// The input record of one pile, fields in the order the pile-force run fills
// them. The fixed settings carry the values the run always gives; our solver
// reads none of them.
struct CPile_ShuJu {
    static constexpr int kMaxLayers = 20;

    std::array<int, 3> leadSettings{0, 0, 0};
    int layerCount = 0;
    int countSetting = 1;
    int hasAnchor = 0;
    float anchorStiffness = 0.0f;  // MN/m
    int method = 0;                // 0 m, 1 C, 2 K
    int baseCondition = 0;         // 0 free, 1 hinged, 2 fixed
    int hasInertia = 0;
    float inertia = 0.0f;  // m4
    int hasModulus = 0;
    float modulus = 0.0f;  // kPa
    int isRectangular = 1;
    float sectionB = 0.0f;     // m, width across the slope or diameter
    float sectionH = 0.0f;     // m, depth along the thrust
    float resistWidth = 0.0f;  // m, face the soil pushes on
    float spacing = 0.0f;      // m
    int gradeNumber = 30;      // concrete grade C10..C60
    std::array<int, 3> gradeSettings{2, 1, 1};
    float embedDepth = 0.0f;  // m
    float freeLength = 0.0f;  // m
    std::array<int, 3> lengthSettings{1, 0, 0};
    std::array<PileLayer, kMaxLayers> layers{};

    // Written back by the solver, in the report convention.
    float innerMaxMoment = 0.0f;   // kN-m, largest M >= 0
    float innerMaxDepth = 0.0f;    // m
    float outerMaxMoment = 0.0f;   // kN-m, most negative M <= 0, signed
    float outerMaxDepth = 0.0f;    // m
    float maxShear = 0.0f;         // kN, signed V of largest magnitude
    float maxShearDepth = 0.0f;    // m
    float topDisplacement = 0.0f;  // mm
};
