// Material tables of GB 50010-2010 (2015 edition): concrete Tables 4.1.3-1/2,
// 4.1.4-1/2 and 4.1.5, the stress block of 6.2.6, reinforcing steel Tables
// 4.2.2-1, 4.2.3-1 and 4.2.5.
#include "rebar/Materials.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace {

struct GradeRow {
    int grade;
    double fck, ftk, fc, ft, Ec;
};

// Characteristic and design strengths (MPa) and modulus (1e4 MPa) by grade.
constexpr std::array<GradeRow, 10> kGrades{{
    {15, 10.0, 1.27, 7.2, 0.91, 2.20},
    {20, 13.4, 1.54, 9.6, 1.10, 2.55},
    {25, 16.7, 1.78, 11.9, 1.27, 2.80},
    {30, 20.1, 2.01, 14.3, 1.43, 3.00},
    {35, 23.4, 2.20, 16.7, 1.57, 3.15},
    {40, 26.8, 2.39, 19.1, 1.71, 3.25},
    {45, 29.6, 2.51, 21.1, 1.80, 3.35},
    {50, 32.4, 2.64, 23.1, 1.89, 3.45},
    {55, 35.5, 2.74, 25.3, 1.96, 3.55},
    {60, 38.5, 2.85, 27.5, 2.04, 3.60},
}};

// Design strength fy' in compression follows the 2015 edition: 435 for 500 MPa
// bars in flexure (the 410 of the first printing was raised).
const Steel kSteels[] = {
    {"HPB300", 270.0, 270.0, 300.0, 2.10e5, false},
    {"HRB335", 300.0, 300.0, 335.0, 2.00e5, true},
    {"HRB400", 360.0, 360.0, 400.0, 2.00e5, true},
    {"HRB500", 435.0, 435.0, 500.0, 2.00e5, true},
};

// Above C50 the stress block shrinks linearly to its C80 values (6.2.6), and
// so does the shear-limit factor (6.3.1).
double towardsC80(int grade, double atC50, double atC80) {
    if (grade <= 50) return atC50;
    return atC50 + (atC80 - atC50) * (grade - 50) / 30.0;
}

std::string upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

}  // namespace

std::optional<Concrete> ConcreteOfGrade(int grade, std::string* why) {
    for (const GradeRow& r : kGrades) {
        if (r.grade != grade) continue;
        Concrete c;
        c.grade = grade;
        c.fck = r.fck;
        c.ftk = r.ftk;
        c.fc = r.fc;
        c.ft = r.ft;
        c.Ec = r.Ec * 1.0e4;
        c.alpha1 = towardsC80(grade, 1.0, 0.94);
        c.beta1 = towardsC80(grade, 0.8, 0.74);
        c.betaC = towardsC80(grade, 1.0, 0.8);
        // eps_cu = 0.0033 - (fcu,k - 50) * 1e-5, at most 0.0033
        c.epsCu = std::min(0.0033, 0.0033 - (grade - 50) * 1.0e-5);
        return c;
    }
    if (why) {
        if (grade == 10)
            *why = "C10 不是结构混凝土强度等级，钢筋混凝土桩身不能配筋设计(最低 C15)";
        else
            *why = "混凝土强度等级 C" + std::to_string(grade) + " 不在 C15~C60 之内";
    }
    return std::nullopt;
}

std::optional<Steel> SteelOfName(const std::string& name) {
    const std::string key = upper(name);
    for (const Steel& s : kSteels)
        if (s.name == key) return s;
    return std::nullopt;
}

const char* SteelNames() {
    return "HPB300, HRB335, HRB400, HRB500";
}

double StirrupStrength(const Steel& s) {
    // 4.2.3: transverse bars count with at most 360 in shear.
    return std::min(s.fy, 360.0);
}

double BalancedDepth(const Concrete& c, const Steel& s) {
    // xi_b = beta1 / (1 + fy / (Es eps_cu))   (6.2.7-1)
    return c.beta1 / (1.0 + s.fy / (s.Es * c.epsCu));
}

std::string MaterialWarning(const Concrete& c, const Steel& s) {
    if (c.grade < 25 && s.fyk >= 400.0)
        return "混凝土 C" + std::to_string(c.grade) + " 低于 C25，不宜配 " + s.name +
               " 钢筋(GB 50010 第 4.1.2 条)";
    return {};
}
