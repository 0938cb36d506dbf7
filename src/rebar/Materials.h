// Concrete and reinforcing steel of a reinforced-concrete section: design and
// characteristic strengths, moduli and the rectangular stress block by grade,
// as GB 50010-2010 (2015 edition) tabulates them. Units N and mm (MPa).
#pragma once

#include <optional>
#include <string>

struct Concrete {
    int grade = 30;         // C15..C60
    double fc = 0.0;        // axial compressive design strength
    double ft = 0.0;        // tensile design strength
    double fck = 0.0;       // characteristic compressive strength
    double ftk = 0.0;       // characteristic tensile strength
    double Ec = 0.0;        // modulus
    double alpha1 = 1.0;    // stress-block intensity
    double beta1 = 0.8;     // stress-block depth
    double betaC = 1.0;     // strength factor of the shear limit
    double epsCu = 0.0033;  // ultimate compressive strain
};

struct Steel {
    std::string name;  // "HPB300", "HRB335", "HRB400", "HRB500"
    double fy = 0.0;   // tensile design strength
    double fyc = 0.0;  // compressive design strength fy'
    double fyk = 0.0;  // characteristic yield strength
    double Es = 0.0;
    bool ribbed = true;  // plain round bars bond less (crack width, anchorage)
};

// The concrete of grade C15..C60 in steps of 5. C10 and anything else is no
// structural grade: nullopt with the reason in *why.
std::optional<Concrete> ConcreteOfGrade(int grade, std::string* why);

// The bar grade by name, letter case ignored; nullopt for any other name.
std::optional<Steel> SteelOfName(const std::string& name);

// The bar grades known, for messages and choices.
const char* SteelNames();

// The stirrup strength in shear: fyv = fy, but at most 360.
double StirrupStrength(const Steel& s);

// The relative balanced depth xi_b = beta1 / (1 + fy / (Es * eps_cu)).
double BalancedDepth(const Concrete& c, const Steel& s);

// A warning an engineer should read for this pair (400 MPa bars or more in
// concrete below C25), empty when none.
std::string MaterialWarning(const Concrete& c, const Steel& s);
