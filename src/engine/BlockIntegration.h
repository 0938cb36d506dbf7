// Integration of one block between two verticals, strip by strip between its
// cut positions: areas, weights, static water, slip length and water forces.
#pragma once

#include "engine/SectionGeometry.h"

#include <vector>

class SectionLines;

// The block [x1, x2] over prepared lines; cuts is scratch space for the cut
// positions, reused from block to block.
BlockGeometry integrateBlock(const SectionLines& lines, float x1, float x2,
                             std::vector<float>& cuts);
