// The point lists of one item's section lines, built once, with the look-ups
// along them and the cut positions of a block. Every result equals what the
// rules give when each look-up rebuilds its own lists; the thrust pass builds
// one of these per pass instead of one list per look-up. The record must not
// change while a SectionLines made from it is in use.
#pragma once

#include "engine/SectionGeometry.h"

#include <array>
#include <vector>

class CSlideCalcData;

class SectionLines {
  public:
    explicit SectionLines(const CSlideCalcData& item);

    const CSlideCalcData& item() const { return m_item; }

    // The point list of BuildLine and that of BuildLineForCuts.
    int count(LineKind kind) const { return m_lines[kind].n; }
    const float* xs(LineKind kind) const { return m_lines[kind].x.data(); }
    const float* ys(LineKind kind) const { return m_lines[kind].y.data(); }
    int cutCount(LineKind kind) const { return m_cutLines[kind].n; }
    const float* cutXs(LineKind kind) const { return m_cutLines[kind].x.data(); }
    const float* cutYs(LineKind kind) const { return m_cutLines[kind].y.data(); }

    float firstX(LineKind kind) const { return m_lines[kind].x[0]; }
    float lastX(LineKind kind) const { return m_lines[kind].x[m_lines[kind].n - 1]; }

    // Where each line's look-ups for positions x ≥ from may start their search.
    // Look-ups inside one block share one, which saves the search per look-up.
    struct Hint {
        std::array<int, kLineKinds> start{};
    };
    Hint hintFrom(float from) const;

    float yAtX(LineKind kind, float x, int side) const { return yAtX(kind, x, side, Hint{}); }
    // A hint that does not fit x is ignored: the result never depends on it.
    float yAtX(LineKind kind, float x, int side, const Hint& hint) const {
        side = side == 1 ? 1 : 0;
        // The slip surface and the water line have no fall-back; the others'
        // replace the height outright, so they are tried first.
        if (kind != Slip && kind != Water) {
            bool replaced = false;
            float y = fallback(kind, x, side, hint, &replaced);
            if (replaced) return y;
        }
        return m_lines[kind].interpolate(x, side, hint.start[kind]);
    }
    // The height at x read from the left (side 0) and from the right (side 1).
    // Away from vertical runs and fall-backs the two readings are one and the
    // same interpolation, done once.
    void yAtXBothSides(LineKind kind, float x, const Hint& hint, float* left, float* right) const {
        bool leftReplaced = false, rightReplaced = false;
        if (kind != Slip && kind != Water) {
            *left = fallback(kind, x, 0, hint, &leftReplaced);
            *right = fallback(kind, x, 1, hint, &rightReplaced);
        }
        const PointList& line = m_lines[kind];
        if (!leftReplaced && !rightReplaced && line.runCount == 0) {
            *left = *right = line.interpolate(x, 0, hint.start[kind]);
            return;
        }
        if (!leftReplaced) *left = line.interpolate(x, 0, hint.start[kind]);
        if (!rightReplaced) *right = line.interpolate(x, 1, hint.start[kind]);
    }
    float xAtY(LineKind kind, float y, int side) const;

    bool inUnloadRange(float x) const {
        return m_useUnload && firstX(Unload) <= x && x <= lastX(Unload);
    }
    bool inBermRange(float x) const { return m_useBerm && firstX(Berm) <= x && x <= lastX(Berm); }

    // Whether a line takes no part in a block over [x1, x2]: it is switched
    // off, or all its points lie well away from the block, so that the block
    // has the cut positions and heights it would have without the line.
    bool keepsClearOf(LineKind kind, float x1, float x2) const;

    void pileRowPosition(int row, float* x, float* ySlip, float* freeLength,
                         float* embedDepth) const;

    // The points and segments of each cut line that can matter inside the block
    // [x1, x2] (a superset: each one is still tested), and a look-up hint for
    // positions in the block. One search per line serves the whole block.
    struct Window {
        float x1 = 0.0f, x2 = 0.0f;
        std::array<int, kLineKinds> pointFirst{}, pointEnd{}, segFirst{}, segEnd{};
        Hint hint;
    };
    // near: the window of a nearby block, from which the search walks instead
    // of bisecting (the pass moves block by block); the result is the same.
    Window window(float x1, float x2, const Window* near = nullptr) const;

    // The sorted cut positions of the block, x1 and x2 included.
    void collectCuts(float x1, float x2, std::vector<float>& cuts) const {
        collectCuts(window(x1, x2), cuts);
    }
    void collectCuts(const Window& window, std::vector<float>& cuts) const;

  private:
    // A vertical run of a line as the height look-up's first pass meets it.
    struct VerticalRun {
        float x;       // x of its first point
        float yFirst;  // height of its first point (read from the left)
        float yLast;   // height of its last point (read from the right)
    };
    struct PointList {
        int n = 0;
        std::array<float, kMaxLinePoints> x;
        std::array<float, kMaxLinePoints> y;
        bool ascending = false;  // x never decreases from point to point
        int runCount = 0;
        std::array<VerticalRun, kMaxLinePoints> runs;

        void add(float px, float py) {
            x[n] = px;
            y[n] = py;
            ++n;
        }
        void finish();
        int searchStart(float xq) const;
        float interpolate(float xq, int side, int start) const;
        float xAtY(float yq, int side) const;
    };
    // A line of the cut positions with each segment's bounding box widened by
    // the crossing tolerance, exactly as the crossing test widens it.
    struct CutLine {
        int n = 0;
        std::array<float, kMaxLinePoints> x;
        std::array<float, kMaxLinePoints> y;
        bool ascending = false;
        std::array<float, kMaxLinePoints> loX, hiX, loY, hiY;  // per segment

        void add(float px, float py) {
            x[n] = px;
            y[n] = py;
            ++n;
        }
        int offset = 0;  // index of the line's first point: 1 after a lead-in point
        void finish();
    };

    // The segments of each cut line that take part in one block's crossings.
    struct BlockSegments {
        std::array<std::array<int, kMaxLinePoints>, kLineKinds> index;
        std::array<int, kLineKinds> count{};
        std::array<float, kLineKinds> lo, hi;  // heights the segments span
    };
    BlockSegments blockSegments(const Window& window) const;
    void addCrossings(int a, int b, const BlockSegments& segs, float x1, float x2,
                      std::vector<float>& cuts) const;

    void buildLines();
    void buildBerm();
    void buildCutLines();
    float fallback(LineKind kind, float x, int side, const Hint& hint, bool* replaced) const;

    const CSlideCalcData& m_item;
    // The two switches the range tests read, copied so the tests stay inline.
    bool m_useUnload = false;
    bool m_useBerm = false;
    std::array<PointList, kLineKinds> m_lines;
    std::array<CutLine, kLineKinds> m_cutLines;
};

// Tolerance of the crossing test between section segments (m).
inline constexpr float kCrossingTolerance = 1e-5f;
