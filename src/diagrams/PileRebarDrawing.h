// The reinforcement drawing of one pile: the moment curve and the steel each
// face needs beside the steel it has, the pile's elevation with its bar groups,
// their cut-off depths, the stirrup zones and the slip surface, and the cross
// section with its bars, bundles and stirrups dimensioned.
#pragma once

#include <memory>

class DXF;
struct PileRebar;
struct PileRebarInput;

// Null when no drawing could be made or the design has no bars.
std::unique_ptr<DXF> MakePileRebarDrawing(const PileRebarInput& in, const PileRebar& r);
