// The largest crack width of a flexural member under the quasi-permanent
// moment, GB 50010-2010 7.1.2 with alpha_cr = 1.9 and sigma_sq of 7.1.4.
// Units N and mm.
#pragma once

#include "rebar/Materials.h"

struct CrackInput {
    double Mq = 0.0;      // quasi-permanent moment, N·mm
    double As = 0.0;      // tension steel
    double h0 = 0.0;      // effective depth
    double Ate = 0.0;     // effective tension area of the concrete
    double cs = 0.0;      // clear cover of the outermost tension bars
    double deq = 0.0;     // equivalent diameter of the tension bars
    double lever = 0.87;  // internal lever arm as a share of h0
};

struct CrackWidth {
    double sigmaS = 0.0;  // steel stress
    double rhoTe = 0.0;   // As / Ate, at least 0.01
    double psi = 0.0;     // strain non-uniformity, 0.2 … 1.0
    double cs = 0.0;      // clear cover used, 20 … 65
    double wMax = 0.0;    // mm
};

CrackWidth ComputeCrackWidth(const Concrete& c, const Steel& s, const CrackInput& in);

// deq = sum n d² / sum n nu d for one group of equal bars: a ribbed bar bonds
// with nu = 1.0, a plain one with 0.7.
double BondEquivalentDiameter(double d, bool ribbed);
