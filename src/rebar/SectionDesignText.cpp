// The design's report lines and its CSV line.
#include "rebar/SectionDesignText.h"

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
        out.printf("    %s: Mk = %.3f kN-m  M = %.3f kN-m\n        α = %.4f  αt = %.4f\n",
                   f.name.c_str(), f.Mk, f.M, f.circle.alpha, f.circle.alphaT);
    } else {
        out.printf("    %s受拉: Mk = %.3f kN-m  M = %.3f kN-m\n", f.name.c_str(), f.Mk, f.M);
        if (!f.balanced.doubly) {
            out.printf("        单筋 αs = %.4f ≤ αs,max  ξ = %.4f\n", f.rect.alphaS, f.rect.xi);
        } else {
            out.printf(
                "        双筋 (αs = %.4f > αs,max): 取 x = ξb·h0\n"
                "        需 As' = %.0f mm2, As = %.0f mm2\n",
                f.balanced.alphaS, f.balanced.AsComp, f.balanced.As);
            out.printf("        计入对侧实配钢筋作受压钢筋: αs = %.4f  ξ = %.4f%s\n", f.rect.alphaS,
                       f.rect.xi, f.rect.lowX ? "  x < 2as'，对受压钢筋合力点取矩" : "");
        }
    }
    out.printf("        As计算 = %.0f mm2  As,min = %.0f mm2  需要 As = %.0f mm2\n", f.AsCalc,
               f.AsMin, f.AsReq);
    if (f.bars.empty()) return;
    const BarGroup& g = f.bars;
    if (d.input.circle)
        out.printf(
            "        配筋: %s 沿周边均布 (净距 %.0f mm)  实配 As = %.0f mm2  ρ = %.3f%%\n"
            "              rs = %.1f mm  Mu = %.3f kN-m\n",
            g.label().c_str(), g.clear, g.area(), f.ratio, g.radius, f.Mu);
    else
        out.printf(
            "        配筋: %s %s (%d + %d, 净距 %.0f mm)  实配 As = %.0f mm2  ρ = %.3f%%\n"
            "              as = %.1f mm  h0 = %.1f mm  Mu = %.3f kN-m\n",
            g.label().c_str(), g.layer2 > 0 ? "两层" : "单层", g.layer1 * g.bundle,
            g.layer2 * g.bundle, g.clear, g.area(), f.ratio, g.centroid, f.h0, f.Mu);
    const CrackWidth& w = f.crack;
    out.printf(
        "        裂缝: Mq = %.3f kN-m  σs = %.1f MPa  ψ = %.3f  ρte = %.4f\n"
        "              wmax = %.3f mm %s %.3f mm  %s\n",
        f.Mq, w.sigmaS, w.psi, w.rhoTe, w.wMax, f.crackOk ? "≤" : ">", d.input.crackLimit,
        f.crackOk ? "满足" : "不满足");
}

void writeShear(const SectionDesign& d, ReportWriter& out) {
    const ShearDesign& s = d.shear;
    out.printf("    抗  剪: Vk = %.3f kN  V = %.3f kN  b = %.0f mm  h0 = %.0f mm\n", d.input.V,
               s.V / 1000.0, d.shearB, d.shearH0);
    out.printf("        %.3fβc·fc·b·h0 = %.1f kN %s V;  0.7ft·b·h0 = %.1f kN\n", s.limitFactor,
               s.Vmax / 1000.0, s.overLimit ? "<" : "≥", s.Vc / 1000.0);
    out.printf("        Asv/s = %.4f mm2/mm (计算 %.4f%s)  箍筋间距 ≤ %.0f mm\n", s.AsvPerS,
               s.AsvPerSCalc, s.needsStirrups ? "，含最小配箍率 0.24ft/fyv" : "，按构造", s.sMax);
    if (d.stirrups.found)
        out.printf("        箍筋: Φ%d@%d (%d 肢)  实配 Asv/s = %.4f mm2/mm\n", d.stirrups.diameter,
                   d.stirrups.spacing, d.stirrups.legs, d.stirrups.AsvPerS);
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
