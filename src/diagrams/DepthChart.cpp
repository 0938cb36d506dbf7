// The depth chart and the design-sweep chart on the pen's framed charts.
#include "diagrams/DepthChart.h"

#include "platform/DrawingPen.h"

#include <algorithm>
#include <cmath>

int DrawDepthChart(CBase_SGT* drawing, float x, float y, int n, float* depth, float* series1,
                   float* series2, const std::string& valueLabel) {
    if (!drawing || n < 1 || !depth || !series1 || !series2) return 1;
    for (int i = 0; i < n; ++i) depth[i] = -depth[i];
    float lo = std::min(series1[0], series2[0]);
    float hi = std::max(series1[0], series2[0]);
    for (int i = 1; i < n; ++i) {
        lo = std::min({lo, series1[i], series2[i]});
        hi = std::max({hi, series1[i], series2[i]});
    }
    // Symmetric about 0 by the larger magnitude, so the pile axis is the middle.
    if (std::fabs(hi) > std::fabs(lo))
        lo = -hi;
    else
        hi = -lo;
    float width = hi - lo;
    // The vertical axis runs from the last (deepest) point up to the first.
    drawing->Draw_Curve2(x, y, n, depth, series1, series2, depth[n - 1], depth[0],
                         lo - 0.1f * width, hi + 0.1f * width, 5000.0f, 3000.0f, 10, 4, "高度(m)",
                         valueLabel);
    return 1;
}

int DrawDesignCurve(float x, float y, CBase_SGT* drawing, int n, const float* xs, const float* ys,
                    const std::string& xLabel, const std::string& yLabel) {
    if (!drawing || n < 1 || !xs || !ys) return 1;
    float xMin = xs[0], xMax = xs[0], yMin = ys[0], yMax = ys[0];
    for (int i = 1; i < n; ++i) {
        xMin = std::min(xMin, xs[i]);
        xMax = std::max(xMax, xs[i]);
        yMin = std::min(yMin, ys[i]);
        yMax = std::max(yMax, ys[i]);
    }
    CBase_SGT& d = *drawing;
    d.Push_ENV();
    d.SetCurColor("7");
    d.Draw_Curve(x, y, n, xs, ys, xMin, xMax, yMin, yMax, 8000.0f, 5000.0f, 10, 8, xLabel, yLabel,
                 1, 0);
    d.SetCurColor("3");
    d.Draw_Curve(x, y, n, xs, ys, xMin, xMax, yMin, yMax, 8000.0f, 5000.0f, 10, 8, xLabel, yLabel,
                 0, 1);
    d.Pop_ENV();
    return 1;
}
