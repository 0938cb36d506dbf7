// Integration of one block between two verticals, strip by strip between its
// cut positions: areas, weights, static water, slip length and water forces.
#pragma once

#include "engine/SectionGeometry.h"

#include <vector>

#include "engine/SectionLines.h"

// The block of the window over prepared lines; cuts is scratch space for the
// cut positions, reused from block to block.
BlockGeometry integrateBlock(const SectionLines& lines, const SectionLines::Window& window,
                             std::vector<float>& cuts);
