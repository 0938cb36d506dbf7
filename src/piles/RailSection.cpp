// The rail table and its look-up.
#include "piles/RailSection.h"

#include <array>
#include <cmath>

namespace {

struct RailRow {
    float type;     // kg/m
    float inertia;  // cm4
    float width;    // mm
};

constexpr std::array<RailRow, 4> kRails{{
    {33.0f, 821.9f, 110.0f},
    {38.0f, 1204.4f, 114.0f},
    {43.0f, 1489.0f, 114.0f},
    {50.0f, 2037.0f, 132.0f},
}};

// Rail weights are typed by hand; 0.1 kg/m absorbs a stray decimal.
constexpr float kTypeTolerance = 0.1f;

}  // namespace

int GetRailSection(float railType, float* inertia, float* width) {
    float type = railType;
    if (type < 33.0f) type = 33.0f;
    if (type > 50.0f) type = 50.0f;

    // Unknown types fall back to the heaviest rail, so the caller can go on.
    RailRow row = kRails.back();
    int found = 0;
    for (const RailRow& r : kRails) {
        if (std::fabs(type - r.type) < kTypeTolerance) {
            row = r;
            found = 1;
        }
    }
    // cm4 -> m4 as x 10000 / 10^12; mm -> m.
    if (inertia) *inertia = row.inertia * 10000.0f / 1.0e12f;
    if (width) *width = row.width / 1000.0f;
    return found;
}
