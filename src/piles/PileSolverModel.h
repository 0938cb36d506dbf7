// From the pile input record to the beam model: flexural rigidity, the width
// the soil reacts on, the layered subgrade in kN units, the load on one pile,
// the result points, and the reasons a record cannot be computed.
#pragma once

#include "piles/PileData.h"
#include "piles/PileSolverBeam.h"

#include <string>
#include <vector>

// E (kPa) of the record: the given modulus, else reinforced concrete by grade
// (GB 50010-2010 Table 4.1.5, C10 from GBJ 10-89); 0 for an unknown grade.
double pileModulus(const CPile_ShuJu& pile);
// I (m4): the given inertia, else pi d^4 / 64 or b h^3 / 12.
double pileInertia(const CPile_ShuJu& pile);
// EI (kN-m2); reinforced concrete keeps 0.8 of it for cracking (JTG D63 Annex P).
double pileRigidity(const CPile_ShuJu& pile);
// The calculation width Bp (m), held within the pile's own tributary width.
double calculationWidth(const CPile_ShuJu& pile);

// An empty text when the record can be computed, else why not (Chinese, for
// the status line and the report).
std::string pileRefusal(const CPile_ShuJu& pile, const std::vector<PileLoadPoint>& load,
                        float coefA, float coefA1);

// The beam model of a record that pileRefusal accepts; its nodes are the
// result points: top, slip surface, layer interfaces, base, and equal
// intervals of at most maxInterval between them.
BeamModel buildPileModel(const CPile_ShuJu& pile, const std::vector<PileLoadPoint>& load,
                         float coefA, float coefA1, double maxInterval);
