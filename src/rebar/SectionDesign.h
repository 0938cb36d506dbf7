// The reinforcement of one pile section: bars of each face (or round the
// circle) that carry the design moment, the crack width under the
// characteristic moment, the shear limit and the stirrups. The report's
// section, the drawing and the headless check all start from this.
#pragma once

#include "rebar/BarLayout.h"
#include "rebar/CrackWidth.h"
#include "rebar/Materials.h"
#include "rebar/SectionFlexure.h"
#include "rebar/SectionShear.h"

#include <string>
#include <vector>

// Sizes in mm, forces as the pile-force run gives them: characteristic kN·m
// and kN, magnitudes. The design values are gamma0 · gammaF times them.
struct SectionDesignInput {
    bool circle = false;
    double b = 0.0;  // rectangle: the face across the slope
    double h = 0.0;  // rectangle: the depth along the thrust
    double d = 0.0;  // circle: the diameter
    int concreteGrade = 30;
    std::string bar = "HRB400";
    std::string stirrup = "HRB400";
    double cover = 60.0;        // to the stirrup's outer face
    double fixedAs = 0.0;       // > 0: tension face to the bars' centroid
    double fixedAsOther = 0.0;  // > 0: the same for the other face
    double leastClear = 50.0;   // least clear spacing of bars
    double Minner = 0.0;        // inner face (upslope) in tension
    double Mouter = 0.0;        // outer face (downslope) in tension
    double V = 0.0;
    double MqInner = -1.0;  // quasi-permanent moment for the crack check; < 0: Minner
    double MqOuter = -1.0;
    double gamma0 = 1.0;
    double gammaF = 1.35;
    double crackLimit = 0.2;  // mm
};

struct FaceDesign {
    std::string name;           // "靠山侧", "临空侧", "全截面"
    double Mk = 0.0;            // characteristic moment, kN·m
    double M = 0.0;             // design moment, kN·m
    double Mq = 0.0;            // moment of the crack check, kN·m
    RectFlexure rect;           // rectangle faces, the other face's bars in compression
    RectFlexure balanced;       // the same without them: x = xi_b h0 where doubly
    CircleFlexure circle;       // the circle
    double AsCalc = 0.0;        // from the moment
    double AsMin = 0.0;         // least ratio
    double AsReq = 0.0;         // the larger
    double AsCompNeeded = 0.0;  // what the other face's moment asks of these bars in compression
    BarGroup bars;
    double h0 = 0.0;
    double Mu = 0.0;     // kN·m the bars carry
    double ratio = 0.0;  // As / (b h) or As / A, %
    CrackWidth crack;
    bool crackOk = true;
};

enum class SectionStatus {
    Ok,
    Refused,          // a material the code does not allow
    SectionTooSmall,  // no bars that can be built carry the moment
    ShearLimit,       // V beyond the section limit
    CrackExceeded,    // bars carry the moment but crack too wide
};

struct SectionDesign {
    SectionDesignInput input;
    SectionStatus status = SectionStatus::Ok;
    std::vector<std::string> problems;  // one sentence each, for the engineer
    std::vector<std::string> warnings;
    Concrete concrete;
    Steel bar, stirrupSteel;
    double xiB = 0.0, alphaSMax = 0.0, rhoMin = 0.0;
    std::vector<FaceDesign> faces;  // rectangle: inner, outer; circle: one
    ShearDesign shear;
    double shearB = 0.0, shearH0 = 0.0;  // the (equivalent) rectangle of the shear check
    StirrupChoice stirrups;
    int legs = 2;

    double gamma() const { return input.gamma0 * input.gammaF; }
};

SectionDesign DesignSection(const SectionDesignInput& in);

// "ok", "refused", "section_too_small", "shear_limit", "crack_exceeded".
const char* SectionStatusName(SectionStatus s);
