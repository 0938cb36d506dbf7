// Shear of a reinforced-concrete section with stirrups only, to GB 50010-2010:
// the section limit (6.3.1), the stirrups of a member under distributed load
// (6.3.4 with alpha_cv = 0.7), the least stirrup ratio and the largest spacing
// (9.2.9). A circle enters through its equivalent rectangle b = 1.76 r,
// h0 = 1.6 r (6.3.15). Units N and mm.
#pragma once

#include "rebar/Materials.h"

struct ShearDesign {
    double V = 0.0;              // design shear
    double limitFactor = 0.25;   // 0.25 for hw/b <= 4 down to 0.2 for hw/b >= 6
    double Vmax = 0.0;           // limit factor · beta_c fc b h0
    double Vc = 0.0;             // alpha_cv ft b h0
    bool overLimit = false;      // V > Vmax: the section must grow
    bool needsStirrups = false;  // V > Vc: stirrups by calculation
    double AsvPerS = 0.0;        // Asv/s required (mm²/mm), least ratio included
    double AsvPerSCalc = 0.0;    // Asv/s from (V - Vc) / (fyv h0) alone
    double sMax = 0.0;           // largest spacing (mm)
};

// b the width, h the height, h0 the effective depth, hw the web height (h0 for
// a rectangle), V the design shear.
ShearDesign DesignShear(const Concrete& c, const Steel& stirrup, double b, double h, double h0,
                        double hw, double V);

struct StirrupChoice {
    int diameter = 0;  // mm
    int legs = 2;
    int spacing = 0;       // mm
    double AsvPerS = 0.0;  // provided, mm²/mm
    bool found = false;
};

// The smallest stirrup bar, then the widest spacing in steps of 50 mm from 100
// mm up to the largest spacing, that provides AsvPerS with `legs` legs.
StirrupChoice ChooseStirrups(double AsvPerS, double sMax, int legs, int leastDiameter);

// The widest spacing in steps of 50 mm (at least 100) at which `diameter` with
// `legs` legs provides AsvPerS and respects sMax; 0 when none does.
int StirrupSpacing(int diameter, int legs, double AsvPerS, double sMax);

// Legs of a stirrup across a face of width b (mm): two up to 1.2 m of bars
// between the outer legs, two more for every further 1.2 m, so that no leg
// stands far from the bars it holds.
int StirrupLegs(double innerWidth);
