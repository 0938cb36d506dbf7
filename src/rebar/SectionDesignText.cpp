// The design's report lines and its CSV line.
#include "rebar/SectionDesignText.h"

#include "platform/FigureFormat.h"
#include "platform/PrintfFormat.h"
#include "platform/ReportWriter.h"
#include "rebar/SectionDesign.h"

namespace {

void writeMaterials(const SectionDesign& d, ReportWriter& out) {
    const Concrete& c = d.concrete;
    out.printf(
        "    混凝土: C%d  fc = %.1f MPa  ft = %.2f MPa  ftk = %.2f MPa\n"
        "            Ec = %.2e MPa  α1 = %.2f  β1 = %.2f\n",
        c.grade, c.fc, c.ft, c.ftk, c.Ec, c.alpha1, c.beta1);
    out.printf(
        "    纵  筋: %s  fy = %.0f MPa  fy' = %.0f MPa  Es = %.2e MPa\n"
        "            ξb = %.3f  αs,max = %.3f\n",
        d.bar.name.c_str(), d.bar.fy, d.bar.fyc, d.bar.Es, d.xiB, d.alphaSMax);
    out.printf("    箍  筋: %s  fyv = %.0f MPa\n", d.stirrupSteel.name.c_str(),
               StirrupStrength(d.stirrupSteel));
    const SectionDesignInput& in = d.input;
    if (in.circle)
        out.printf("    截  面: 圆形 D = %.0f mm", in.d);
    else
        out.printf("    截  面: 矩形 b × h = %.0f × %.0f mm", in.b, in.h);
    out.printf("  保护层(至箍筋外缘) = %.0f mm\n            钢筋最小净距 = %.0f mm\n", in.cover,
               in.leastClear);
    out.printf("    设计值 = γ0·γF·标准值: γ0 = %.2f  γF = %.2f;  最小配筋率 ρmin = %.3f%%\n",
               in.gamma0, in.gammaF, d.rhoMin * 100.0);
}

void writeFlexure(const SectionDesign& d, const FaceDesign& f, ReportWriter& out) {
    if (d.input.circle) {
        out.printf("    %s: Mk = %s kN-m  M = %s kN-m\n        α = %s  αt = %s\n", f.name.c_str(),
                   Fixed3(f.Mk).c_str(), Fixed3(f.M).c_str(), Fixed4(f.circle.alpha).c_str(),
                   Fixed4(f.circle.alphaT).c_str());
    } else {
        out.printf("    %s受拉: Mk = %s kN-m  M = %s kN-m\n", f.name.c_str(), Fixed3(f.Mk).c_str(),
                   Fixed3(f.M).c_str());
        if (!f.balanced.doubly) {
            out.printf("        单筋 αs = %s ≤ αs,max  ξ = %s\n", Fixed4(f.rect.alphaS).c_str(),
                       Fixed4(f.rect.xi).c_str());
        } else {
            out.printf(
                "        双筋 (αs = %s > αs,max): 取 x = ξb·h0\n"
                "        需 As' = %s mm2, As = %s mm2\n",
                Fixed4(f.balanced.alphaS).c_str(), Fixed0(f.balanced.AsComp).c_str(),
                Fixed0(f.balanced.As).c_str());
            out.printf("        计入对侧实配钢筋作受压钢筋: αs = %s  ξ = %s%s\n",
                       Fixed4(f.rect.alphaS).c_str(), Fixed4(f.rect.xi).c_str(),
                       f.rect.lowX ? "  x < 2as'，对受压钢筋合力点取矩" : "");
        }
    }
    out.printf("        As计算 = %s mm2  As,min = %s mm2  需要 As = %s mm2\n",
               Fixed0(f.AsCalc).c_str(), Fixed0(f.AsMin).c_str(), Fixed0(f.AsReq).c_str());
    if (f.bars.empty()) return;
    const BarGroup& g = f.bars;
    if (d.input.circle)
        out.printf(
            "        配筋: %s 沿周边均布 (净距 %s mm)  实配 As = %s mm2  ρ = %s%%\n"
            "              rs = %s mm  Mu = %s kN-m\n",
            g.label().c_str(), Fixed0(g.clear).c_str(), Fixed0(g.area()).c_str(),
            Fixed3(f.ratio).c_str(), Fixed1(g.radius).c_str(), Fixed3(f.Mu).c_str());
    else
        out.printf(
            "        配筋: %s %s (%d + %d, 净距 %s mm)  实配 As = %s mm2  ρ = %s%%\n"
            "              as = %s mm  h0 = %s mm  Mu = %s kN-m\n",
            g.label().c_str(), g.layer2 > 0 ? "两层" : "单层", g.layer1 * g.bundle,
            g.layer2 * g.bundle, Fixed0(g.clear).c_str(), Fixed0(g.area()).c_str(),
            Fixed3(f.ratio).c_str(), Fixed1(g.centroid).c_str(), Fixed1(f.h0).c_str(),
            Fixed3(f.Mu).c_str());
    const CrackWidth& w = f.crack;
    out.printf(
        "        裂缝: Mq = %s kN-m  σs = %s MPa  ψ = %s  ρte = %s\n"
        "              wmax = %s mm %s %s mm  %s\n",
        Fixed3(f.Mq).c_str(), Fixed1(w.sigmaS).c_str(), Fixed3(w.psi).c_str(),
        Fixed4(w.rhoTe).c_str(), Fixed3(w.wMax).c_str(), f.crackOk ? "≤" : ">",
        Fixed3(d.input.crackLimit).c_str(), f.crackOk ? "满足" : "不满足");
}

void writeShear(const SectionDesign& d, ReportWriter& out) {
    const ShearDesign& s = d.shear;
    out.printf("    抗  剪: Vk = %s kN  V = %s kN  b = %s mm  h0 = %s mm\n",
               Fixed3(d.input.V).c_str(), Fixed3(s.V / 1000.0).c_str(), Fixed0(d.shearB).c_str(),
               Fixed0(d.shearH0).c_str());
    out.printf("        %sβc·fc·b·h0 = %s kN %s V;  0.7ft·b·h0 = %s kN\n",
               Fixed3(s.limitFactor).c_str(), Fixed1(s.Vmax / 1000.0).c_str(),
               s.overLimit ? "<" : "≥", Fixed1(s.Vc / 1000.0).c_str());
    out.printf("        Asv/s = %s mm2/mm (计算 %s%s)  箍筋间距 ≤ %s mm\n",
               Fixed4(s.AsvPerS).c_str(), Fixed4(s.AsvPerSCalc).c_str(),
               s.needsStirrups ? "，含最小配箍率 0.24ft/fyv" : "，按构造", Fixed0(s.sMax).c_str());
    if (d.stirrups.found)
        out.printf("        箍筋: Φ%d@%d (%d 肢)  实配 Asv/s = %s mm2/mm\n", d.stirrups.diameter,
                   d.stirrups.spacing, d.stirrups.legs, Fixed4(d.stirrups.AsvPerS).c_str());
}

}  // namespace

void WriteSectionDesign(const SectionDesign& d, ReportWriter& out) {
    for (const std::string& p : d.problems) out.printf("    %s\n", p.c_str());
    for (const std::string& w : d.warnings) out.printf("    注意: %s\n", w.c_str());
    if (d.status == SectionStatus::Refused) return;
    writeMaterials(d, out);
    for (const FaceDesign& f : d.faces) writeFlexure(d, f, out);
    writeShear(d, out);
    out.printf("    结论: %s\n",
               d.status == SectionStatus::Ok ? "截面及配筋满足要求" : "截面或配筋不满足要求，见上");
}

std::string SectionDesignCsv(const SectionDesign& d) {
    std::string out =
        "status,M_design_kNm,As_req_mm2,As_prov_mm2,bars,Mu_kNm,w_max_mm,As_req_outer_mm2,"
        "As_prov_outer_mm2,bars_outer,V_design_kN,Asv_s_req_mm2_per_m,stirrups\n";
    const FaceDesign none;
    const bool outerTension = d.faces.size() == 2 && d.faces[1].M > d.faces[0].M;
    const FaceDesign& t = d.faces.empty() ? none : d.faces[outerTension ? 1 : 0];
    const FaceDesign& o = d.faces.size() == 2 ? d.faces[outerTension ? 0 : 1] : none;
    std::string stirrups;
    if (d.stirrups.found)
        stirrups =
            stringPrintf("Φ%d@%d/%d肢", d.stirrups.diameter, d.stirrups.spacing, d.stirrups.legs);
    out += stringPrintf("%s,%.3f,%.1f,%.1f,%s,%.3f,%.4f,%.1f,%.1f,%s,%.3f,%.2f,%s\n",
                        SectionStatusName(d.status), t.M, t.AsReq, t.bars.area(),
                        t.bars.label().c_str(), t.Mu, t.crack.wMax, o.AsReq, o.bars.area(),
                        o.bars.label().c_str(), d.shear.V / 1000.0, d.shear.AsvPerS * 1000.0,
                        stirrups.c_str());
    return out;
}
