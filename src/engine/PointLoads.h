// The point loads of the slope surface with their x positions, walked once in
// segment order, and their sum over one block.
#pragma once

#include <array>

class CSlideCalcData;

class PointLoadList {
  public:
    explicit PointLoadList(const CSlideCalcData& item);

    // Sum of the loads in the block: |xL − x2| < 1e-5, or x1 < xL < x2. Loads
    // are added in walking order, so the float sums equal a full walk's.
    // cursor (may be null): where the previous block's search ended; the walk
    // from there replaces the bisection when blocks come one after another.
    void sum(float x1, float x2, float* px, float* py, int* cursor = nullptr) const;

    int size() const { return m_count; }

  private:
    struct Load {
        float x;
        float px;
        float py;
    };
    // Room for 10 loads on each of 100 slope segments; fixed, as the pass
    // builds one list per run and allocation would cost more than the walk.
    static constexpr int kMaxLoads = 1000;
    std::array<Load, kMaxLoads> m_loads;  // walking order
    int m_count = 0;
    bool m_ascending = true;  // x never decreases along the walk

    bool belongs(const Load& l, float x1, float x2) const;
};
