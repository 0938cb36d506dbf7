// Charts of values along a pile (depth charts) and of a design sweep.
#pragma once

#include <string>

class CBase_SGT;

// Two value series over depth in a 3000 × 5000 panel with its lower-left
// corner at (x, y), the pile top at the top. The depths are turned negative in
// place (the caller's array changes). Nothing is drawn for n < 1. Returns 1.
int DrawDepthChart(CBase_SGT* drawing, float x, float y, int n, float* depth, float* series1,
                   float* series2, const std::string& valueLabel);

// A design sweep: ys over xs in an 8000 × 5000 panel at (x, y), frame in
// colour 7, curve in colour 3. Nothing is drawn for n < 1. Returns 1.
int DrawDesignCurve(float x, float y, CBase_SGT* drawing, int n, const float* xs, const float* ys,
                    const std::string& xLabel, const std::string& yLabel);
