// The six explanatory pictures. Each is a fixed schematic section in picture
// metres (toe at the left, the sliding mass moving left, as in the sketch),
// with dimension lines and labels in the words of the page's tables. The
// section lines keep the sketch's colours so that the picture and the live
// sketch read alike.
#include "diagrams/InputPictures.h"

#include "platform/DrawingPen.h"

#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr float kMm = 1000.0f;  // drawing units per picture metre
constexpr float kText = 0.42f;  // label height, m
constexpr float kHead = 0.28f;  // arrow head length, m

struct Pt {
    float x = 0.0f;
    float y = 0.0f;
};

Pt along(Pt a, Pt b, float t) {
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

// A pen in picture metres with the few strokes the pictures are made of.
class Pic {
  public:
    explicit Pic(CBase_SGT& d) : m_d(d) {}

    void color(int c) { m_d.SetCurColor(c); }
    void line(Pt a, Pt b) { m_d.Draw_Line(kMm * a.x, kMm * a.y, kMm * b.x, kMm * b.y, 1.0f); }
    void heavy(Pt a, Pt b, float width) {
        m_d.Draw_Pline(kMm * a.x, kMm * a.y, kMm * b.x, kMm * b.y, kMm * width, kMm * width, 1.0f);
    }
    void path(const std::vector<Pt>& pts) {
        for (size_t i = 1; i < pts.size(); ++i) line(pts[i - 1], pts[i]);
    }
    void dotted(Pt a, Pt b) {
        m_d.Push_ENV();
        m_d.SetCurLType("DOT");
        line(a, b);
        m_d.Pop_ENV();
    }

    // A shaft from `from` with its head at `to`.
    void arrow(Pt from, Pt to) {
        line(from, to);
        head(from, to);
    }

    // A dimension of a–b drawn `offset` to the left of a→b (negative: right),
    // with extension lines, two heads and the text beside its middle on the
    // same side.
    void dim(Pt a, Pt b, float offset, const std::string& text) {
        float len = std::hypot(b.x - a.x, b.y - a.y);
        if (len <= 0.0f) return;
        Pt unit{-(b.y - a.y) / len, (b.x - a.x) / len};  // left normal
        Pt da{a.x + unit.x * offset, a.y + unit.y * offset};
        Pt db{b.x + unit.x * offset, b.y + unit.y * offset};
        float side = offset < 0.0f ? -1.0f : 1.0f;
        Pt out{unit.x * side, unit.y * side};
        if (std::fabs(offset) > 0.0f) {
            m_d.Push_ENV();
            m_d.SetCurColor(8);
            line(a, {da.x + out.x * 0.15f, da.y + out.y * 0.15f});
            line(b, {db.x + out.x * 0.15f, db.y + out.y * 0.15f});
            m_d.Pop_ENV();
        }
        line(da, db);
        head(db, da);
        head(da, db);
        Pt mid = along(da, db, 0.5f);
        labelBeside({mid.x + out.x * 0.2f, mid.y + out.y * 0.2f}, out, text);
    }

    // Text whose box lies on the side `dir` (a unit vector) of point p. Along
    // an axis dir leans on by more than 22.5° the box lies wholly beyond p, so
    // that the label of a slanting dimension clears its line; along another
    // it is centred on p.
    void labelBeside(Pt p, Pt dir, const std::string& text) {
        const float lean = 0.38f, w = width(text);  // sin 22.5°
        float x = dir.x > lean ? p.x : dir.x < -lean ? p.x - w : p.x - w / 2.0f;
        float y = dir.y > lean ? p.y : dir.y < -lean ? p.y - kText : p.y - kText / 2.0f;
        label({x, y}, text);
    }

    void label(Pt at, const std::string& text, float h = kText) {
        m_d.Draw_Text(kMm * at.x, kMm * at.y, kMm * h, 0.0f, text);
    }
    void centred(Pt at, const std::string& text, float h = kText) {
        label({at.x - width(text, h) / 2.0f, at.y}, text, h);
    }
    float width(const std::string& text, float h = kText) const {
        return m_d.GetTextWidth(text, kMm * h, -1.0f, nullptr) / kMm;
    }

    // Ticks under a slip segment, as the sketch hatches it.
    void hatch(Pt a, Pt b) {
        float len = std::hypot(b.x - a.x, b.y - a.y);
        int m = static_cast<int>(len / 0.6f);
        for (int j = 1; j <= m; ++j) {
            Pt p = along(a, b, j * 0.6f / len);
            line(p, {p.x - 0.3f, p.y - 0.3f});
        }
    }

    void circle(Pt c, float r) { m_d.Draw_Circle(kMm * c.x, kMm * c.y, kMm * r, 1.0f); }

  private:
    void head(Pt from, Pt to) {
        float len = std::hypot(to.x - from.x, to.y - from.y);
        if (len <= 0.0f) return;
        float ux = (to.x - from.x) / len, uy = (to.y - from.y) / len;
        float h = std::fmin(kHead, len / 2.0f), w = h * 0.4f;
        line(to, {to.x - ux * h - uy * w, to.y - uy * h + ux * w});
        line(to, {to.x - ux * h + uy * w, to.y - uy * h - ux * w});
    }

    CBase_SGT& m_d;
};

// The schematic section the pictures share: slip surface from the origin up
// to the crest, ground surface above it meeting it at both ends.
const std::vector<Pt> kSlip = {{0.0f, 0.0f}, {5.0f, 0.6f}, {10.0f, 3.0f}, {14.0f, 7.6f}};
const std::vector<Pt> kSlope = {
    {0.0f, 0.0f}, {3.0f, 1.2f}, {7.0f, 4.6f}, {10.5f, 5.4f}, {14.0f, 7.6f}};

void slipSurface(Pic& p, const std::vector<Pt>& slip) {
    p.color(7);
    for (size_t i = 1; i < slip.size(); ++i) {
        p.heavy(slip[i - 1], slip[i], 0.06f);
        p.hatch(slip[i - 1], slip[i]);
    }
}

void groundSurface(Pic& p, const std::vector<Pt>& slope) {
    p.color(3);
    p.path(slope);
}

// Origin mark with its two axes.
void origin(Pic& p, Pt o) {
    p.color(7);
    p.arrow(o, {o.x + 1.4f, o.y});
    p.arrow(o, {o.x, o.y + 1.4f});
    p.label({o.x + 1.5f, o.y - 0.2f}, "X");
    p.label({o.x + 0.1f, o.y + 1.5f}, "Y");
    p.label({o.x - 1.2f, o.y - 0.9f}, "原点(0,0)");
}

// The horizontal and vertical projections of segment a–b.
void projections(Pic& p, Pt a, Pt b, const std::string& dx, const std::string& dy) {
    p.dotted(a, {b.x, a.y});
    p.dim(a, {b.x, a.y}, -0.6f, dx);
    p.dim({b.x, a.y}, b, -0.5f, dy);
}

// A label with a leader line to the point it names.
void leader(Pic& p, Pt text, Pt to, const std::string& label) {
    p.label(text, label);
    // the width is an estimate that runs long for Latin letters
    float w = 0.9f * p.width(label);
    Pt from{to.x < text.x ? text.x - 0.1f : text.x + w + 0.1f, text.y + kText / 2.0f};
    if (to.x >= text.x && to.x <= text.x + w)
        from = {to.x, to.y > text.y ? text.y + kText + 0.1f : text.y - 0.1f};
    p.line(from, to);
    p.circle(to, 0.06f);
}

void controlPicture(Pic& p) {
    slipSurface(p, kSlip);
    groundSurface(p, kSlope);
    p.color(5);
    p.path({{1.5f, 0.4f}, {6.0f, 2.2f}, {11.0f, 4.6f}, {13.0f, 5.3f}});
    p.color(7);
    p.label({-3.0f, 7.6f}, "安全系数K、地震烈度、");
    p.label({-3.0f, 7.0f}, "动水压力、浮托力");
    leader(p, {-3.0f, 5.0f}, {5.0f, 2.6f}, "滑体土重度γ");
    leader(p, {8.6f, -0.4f}, {7.5f, 2.3f}, "饱和重度γsat");
    p.arrow({11.0f, 4.15f}, {11.0f, 5.9f});
    leader(p, {12.0f, 3.0f}, {11.0f, 5.0f}, "承压水头");
    // the slope's extent across the section, drawn as an oblique depth
    p.color(8);
    for (size_t i = 1; i < kSlope.size(); ++i)
        p.dotted({kSlope[i - 1].x + 1.6f, kSlope[i - 1].y + 1.0f},
                 {kSlope[i].x + 1.6f, kSlope[i].y + 1.0f});
    p.color(7);
    p.dim(kSlope.back(), {15.6f, 8.6f}, -0.3f, "纵向长度");
    p.color(2);
    p.heavy({4.0f, -1.8f}, {4.0f, 2.05f}, 0.18f);
    p.color(7);
    p.centred({4.0f, -2.6f}, "抗滑桩");
    p.color(6);
    p.path({{0.4f, 0.16f}, {1.6f, 1.36f}, {3.4f, 1.36f}});
    p.color(7);
    leader(p, {-3.0f, 1.6f}, {0.9f, 0.66f}, "反压码");
    p.color(1);
    p.path({{9.0f, 5.13f}, {11.0f, 5.13f}, {12.5f, 6.3f}});
    p.dotted({12.5f, 6.3f}, {12.5f, 6.66f});
    p.color(7);
    leader(p, {7.4f, 6.6f}, {10.0f, 5.13f}, "刷方减载");
}

void slipPicture(Pic& p) {
    slipSurface(p, kSlip);
    origin(p, kSlip[0]);
    p.color(7);
    projections(p, kSlip[1], kSlip[2], "水平投影dx", "竖向投影dy");
    for (size_t i = 1; i < kSlip.size(); ++i) {
        Pt a = kSlip[i - 1], b = kSlip[i], m = along(a, b, 0.5f);
        float len = std::hypot(b.x - a.x, b.y - a.y);
        // below the hatching, on the right of the segment's direction
        p.centred({m.x + (b.y - a.y) / len * 0.9f, m.y - (b.x - a.x) / len * 0.9f - kText / 2},
                  "段" + std::to_string(i));
    }
    leader(p, {3.0f, 6.2f}, along(kSlip[2], kSlip[3], 0.75f), "每段的粘聚力c、摩擦角φ");
    p.color(5);
    std::vector<Pt> water = {{1.5f, 2.2f}, {6.0f, 3.2f}, {10.0f, 4.6f}, {12.6f, 5.4f}};
    p.path(water);
    p.dotted({-2.0f, 2.2f}, water[0]);
    p.dotted(water.back(), {16.0f, 5.4f});
    p.color(7);
    leader(p, {-3.0f, 3.2f}, water[0], "水面线起点(X0,Y0)");
    leader(p, {13.0f, 4.0f}, along(water[2], water[3], 0.6f), "水面线各段dx、dy");
}

void slopePicture(Pic& p) {
    std::vector<Pt> slope = {{2.0f, 0.24f}, {5.0f, 2.2f}, {9.0f, 4.4f}, {14.0f, 7.6f}};
    slipSurface(p, kSlip);
    origin(p, kSlip[0]);
    groundSurface(p, slope);
    p.color(7);
    p.dim(kSlip[0], {slope[0].x, 0.0f}, -1.4f, "起点X0");
    p.dotted(slope[0], {slope[1].x, slope[0].y});
    p.dim(slope[0], {slope[1].x, slope[0].y}, -0.5f, "dx");
    p.dim({slope[1].x, slope[0].y}, slope[1], 0.4f, "dy");
    // one point load on the second segment
    Pt a = slope[1], b = slope[2];
    Pt load = along(a, b, 0.55f);
    p.dim(a, load, 0.5f, "距离");
    p.color(1);
    p.arrow({load.x, load.y + 2.2f}, load);
    p.label({load.x + 0.2f, load.y + 1.8f}, "Y(向下为正)");
    p.arrow({load.x + 2.4f, load.y}, load);
    p.label({load.x + 2.6f, load.y - kText / 2}, "X(向左为正)");
    p.color(7);
    p.label({-3.0f, 6.6f}, "坡面线各段的附加荷载数，");
    p.label({-3.0f, 6.0f}, "每个荷载的距离与X、Y分量");
}

// One pile row of the pile picture: free part above the slip surface, the
// embedded part below it.
void pileRow(Pic& p, float x, float ySlip, float freeLength, float embed) {
    p.color(2);
    p.heavy({x, ySlip - embed}, {x, ySlip + freeLength}, 0.3f);
}

void pileSection(Pic& p) {
    slipSurface(p, kSlip);
    groundSurface(p, kSlope);
    origin(p, kSlip[0]);
    pileRow(p, 7.0f, 1.56f, 3.0f, 3.4f);
    pileRow(p, 3.2f, 0.384f, 2.0f, 2.8f);
    p.color(7);
    p.dim({7.0f, 1.56f}, {7.0f, 4.56f}, 0.5f, "自由段");
    p.dim({7.0f, -1.84f}, {7.0f, 1.56f}, 0.5f, "嵌入深度");
    p.dim({0.0f, -2.4f}, {7.0f, -2.4f}, -0.01f, "第一排桩X");
    p.dim({3.2f, 5.6f}, {7.0f, 5.6f}, 0.01f, "排距");
    // thrust on the free part: q1 at its top, q2 at the slip surface
    p.color(1);
    for (int j = 0; j <= 3; ++j) {
        float y = 4.4f - j * 0.9f, len = 0.7f + 0.35f * j;
        p.arrow({7.2f + len, y}, {7.2f, y});
    }
    p.label({8.1f, 4.2f}, "q1");
    p.label({9.0f, 1.5f}, "q2");
    p.color(8);
    p.dotted({6.2f, -0.3f}, {7.8f, -0.3f});
    p.color(7);
    leader(p, {8.6f, -1.3f}, {7.5f, -0.3f}, "嵌入段土层");
}

// Piles in plan: rows across the slope, spaced along it.
void pilePlan(Pic& p) {
    p.color(2);
    for (int row = 0; row < 2; ++row)
        for (int k = 0; k < 3; ++k) p.circle({14.5f + row * 1.6f, -1.0f + k * 1.6f}, 0.2f);
    p.color(7);
    p.dim({16.1f, 0.6f}, {16.1f, 2.2f}, -0.5f, "桩间距");
    p.dim({14.5f, -1.8f}, {16.1f, -1.8f}, -0.01f, "排距");
    p.centred({15.3f, 3.0f}, "平面");
}

void pilePicture(Pic& p) {
    pileSection(p);
    pilePlan(p);
}

void bermPicture(Pic& p) {
    slipSurface(p, kSlip);
    groundSurface(p, kSlope);
    origin(p, kSlip[0]);
    // berm foot at X0 on the ground, face at 1:m, crown level to the slope
    Pt foot{1.2f, 0.48f}, top{3.6f, 2.88f}, crown{4.94f, 2.88f};
    p.color(6);
    p.path({foot, top, crown});
    p.color(7);
    p.dim(kSlip[0], {foot.x, 0.0f}, -1.4f, "X0");
    p.dotted(foot, {top.x, foot.y});
    p.dim({top.x, foot.y}, top, 0.4f, "H");
    p.label({1.2f, 2.0f}, "1:m");
    leader(p, {-3.0f, 4.0f}, along(top, crown, 0.4f), "反压码");
    p.label({7.0f, -1.0f}, "有桩时，反压码坡脚在第一排桩顶；");
    p.label({7.0f, -1.6f}, "自动设计H或X0时给出其搜索范围");
}

void unloadPicture(Pic& p) {
    slipSurface(p, kSlip);
    groundSurface(p, kSlope);
    origin(p, kSlip[0]);
    // the unloading line leaves the slope at height Y and runs in up to three
    // segments under the ground surface
    std::vector<Pt> cut = {{7.4f, 4.69f}, {9.4f, 4.69f}, {11.4f, 6.0f}, {12.8f, 6.0f}};
    p.color(1);
    p.path(cut);
    p.dotted(cut.back(), {12.8f, 6.84f});
    p.color(7);
    p.dim({-1.0f, 0.0f}, {-1.0f, cut[0].y}, 0.01f, "起始定位坐标Y");
    p.dotted({-1.0f, cut[0].y}, cut[0]);
    p.dotted(cut[1], {cut[2].x, cut[1].y});
    p.dim(cut[1], {cut[2].x, cut[1].y}, -0.5f, "dx");
    p.dim({cut[2].x, cut[1].y}, cut[2], -0.4f, "dy");
    leader(p, {5.0f, 7.0f}, {10.0f, 5.6f}, "刷方区");
    leader(p, {14.0f, 4.6f}, along(cut[2], cut[3], 0.6f), "刷方线(1~3段)");
}

}  // namespace

int DrawInputPicture(int page, CBase_SGT* drawing) {
    using Painter = void (*)(Pic&);
    static constexpr Painter kPictures[kInputPageCount] = {
        controlPicture, slipPicture, slopePicture, pilePicture, bermPicture, unloadPicture};
    if (!drawing || page < 0 || page >= kInputPageCount) return 0;
    drawing->Push_ENV();
    Pic pic(*drawing);
    kPictures[page](pic);
    drawing->Pop_ENV();
    return 1;
}
