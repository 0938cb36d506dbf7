// Checks of a section that the transfer-coefficient method accepts but an
// engineer should look at: transfer coefficients above 1, sharp bends of the
// slip surface, friction cut to 0, a slope surface under the slip surface and
// a water line above the ground or without effect. They never stop a run.
#pragma once

#include <string>
#include <vector>

class CSlideCalcData;
struct StabilityResult;

// One text per finding, naming the block or the segment, in the order: bends
// and transfer coefficients block by block, negative normal forces, the slope
// surface, the water line. stability is ComputeStability(item).
std::vector<std::string> GeometryWarnings(const CSlideCalcData& item,
                                          const StabilityResult& stability);
