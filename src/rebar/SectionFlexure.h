// Flexure of reinforced-concrete sections in pure bending to GB 50010-2010:
// the rectangle singly or doubly reinforced (6.2.10, 6.2.14) and the circle
// with its bars spread evenly round it (Appendix E.0.4 with N = 0). Units N
// and mm; moments in N·mm.
#pragma once

#include "rebar/Materials.h"

// The least ratio of tension steel to the whole section, max(0.20 %, 45 ft/fy %).
double LeastSteelRatio(const Concrete& c, const Steel& s);

struct RectFlexure {
    double alphaS = 0.0;     // M / (alpha1 fc b h0²), compression steel taken off
    double alphaSMax = 0.0;  // xi_b (1 - 0.5 xi_b)
    double xi = 0.0;         // relative depth of the stress block
    bool doubly = false;     // the compression steel is needed
    bool lowX = false;       // x < 2a's: the moment taken about the compression steel
    double As = 0.0;         // tension steel required (before the least ratio)
    double AsComp = 0.0;     // compression steel required (0 when singly)
};

// Design of b × h0 for M: singly while alpha_s <= alpha_s,max; beyond it the
// compression steel AsCompGiven (centroid asComp from the compression face)
// is counted and, where it is not enough, the compression steel needed with
// x = xi_b h0 is returned.
RectFlexure DesignRectFlexure(const Concrete& c, const Steel& s, double b, double h0, double M,
                              double AsCompGiven, double asComp);

// The moment the section carries with tension steel As and compression steel
// AsComp at asComp; the stress block is held at xi_b h0 when the steel would
// push it further.
double RectMomentCapacity(const Concrete& c, const Steel& s, double b, double h0, double As,
                          double AsComp, double asComp);

struct CircleFlexure {
    double alpha = 0.0;   // compression zone angle / 2 pi
    double alphaT = 0.0;  // tension steel share, 1.25 - 2 alpha
    double As = 0.0;      // all the bars round the section
    bool solved = false;  // false: no alpha below 0.4167 carries M
};

// Design of a circle of radius r with bars on radius rs for M.
CircleFlexure DesignCircleFlexure(const Concrete& c, const Steel& s, double r, double rs, double M);

// The moment a circle with bars As on radius rs carries in pure bending.
double CircleMomentCapacity(const Concrete& c, const Steel& s, double r, double rs, double As);
