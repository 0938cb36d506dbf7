// The point loads of the slope surface with their x positions, walked once in
// segment order, and their sum over one block.
#pragma once

#include <vector>

class CSlideCalcData;

class PointLoadList {
  public:
    explicit PointLoadList(const CSlideCalcData& item);

    // Sum of the loads in the block: |xL − x2| < 1e-5, or x1 < xL < x2. Loads
    // are added in walking order, so the float sums equal a full walk's.
    // cursor (may be null): where the previous block's search ended; the walk
    // from there replaces the bisection when blocks come one after another.
    void sum(float x1, float x2, float* px, float* py, int* cursor = nullptr) const;

    int size() const { return static_cast<int>(m_loads.size()); }

  private:
    struct Load {
        float x;
        float px;
        float py;
    };
    std::vector<Load> m_loads;  // walking order
    bool m_ascending = true;    // x never decreases along the walk
};
