// Random calculation items for tests that compare two evaluations of the same
// rules. Values are mostly multiples of 0.25 m so that points coincide, lines
// meet at vertices and segments stand vertical as often as they do in practice.
#pragma once

#include "data/CSlideCalcData.h"

#include <random>

class RandomSection {
  public:
    explicit RandomSection(unsigned seed) : m_rng(seed) {}

    CSlideCalcData make();

  private:
    float coord(float lo, float hi);
    int count(int lo, int hi);
    bool chance(double p);
    void fillLine(std::array<CLineSeg, 100>& segs, int n, float dxMax, float dyLo, float dyHi);

    std::mt19937 m_rng;
};
