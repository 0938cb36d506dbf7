// SVG of the in-memory drawing. Strokes of one pen that follow each other go
// out as one path, so a sketch of thousands of lines stays a small document.
#include "platform/DrawingSvg.h"

#include "platform/AciColour.h"
#include "platform/Drawing.h"
#include "platform/EntityWalk.h"
#include "platform/TextEncoding.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <strings.h>

namespace {

// Cap height over em size of the CJK face: a CAD text height is the height of
// its capitals, a font's size its em.
constexpr double kCapToEm = 1.0 / 0.72;
constexpr const char* kFaces =
    "'WenQuanYi Micro Hei','Noto Sans CJK SC','Droid Sans Fallback',"
    "sans-serif";

// A coordinate or size as the document gives it; a non-finite one as 0.
double fin(double v) {
    return std::isfinite(v) ? v : 0.0;
}

// Appends printf-formatted text (numbers and colours only, so a bounded
// buffer is enough).
[[gnu::format(printf, 2, 3)]] void appendf(std::string& out, const char* format, ...) {
    char text[256];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (n > 0) out.append(text, std::min<size_t>(static_cast<size_t>(n), sizeof text - 1));
}

// What a stroke needs of the pen.
struct Pen {
    int colour = -1;
    bool dotted = false;
    double width = 0.0;  // pixels; 0 for a hairline of the entity's weight
    float weight = 1.0f;
    bool operator==(const Pen&) const = default;
};

class SvgOut {
  public:
    explicit SvgOut(const SvgFrame& frame) : m_f(frame) {}

    void line(const DrawEntity& e, const DrawVertex& a, const DrawVertex& b) {
        stroke(penOf(e), a, b);
    }

    void stroke(const Pen& pen, const DrawVertex& a, const DrawVertex& b) {
        if (!m_open || !(pen == m_pen)) {
            flush();
            m_pen = pen;
            m_open = true;
        }
        appendf(m_path, "M%.2f %.2fL%.2f %.2f", fin(m_f.x(a.x)), fin(m_f.y(a.y)), fin(m_f.x(b.x)),
                fin(m_f.y(b.y)));
    }

    // One polyline segment from a to b with a's widths: under a pixel a
    // plain stroke, even a stroke of that width, tapered a filled shape.
    void segment(const DrawEntity& e, const DrawVertex& a, const DrawVertex& b) {
        Pen pen = penOf(e);
        double w1 = a.startWidth * m_f.fit.scale, w2 = a.endWidth * m_f.fit.scale;
        if (std::max(w1, w2) < 1.0) return stroke(pen, a, b);
        if (std::fabs(w1 - w2) < 0.5) {
            pen.width = (w1 + w2) / 2.0;
            pen.dotted = false;
            return stroke(pen, a, b);
        }
        double dx = b.x - a.x, dy = b.y - a.y, len = std::hypot(dx, dy);
        if (len <= 0.0) return;
        double nx = -dy / len, ny = dx / len, h1 = a.startWidth / 2.0, h2 = a.endWidth / 2.0;
        const double corners[4][2] = {{a.x + nx * h1, a.y + ny * h1},
                                      {b.x + nx * h2, b.y + ny * h2},
                                      {b.x - nx * h2, b.y - ny * h2},
                                      {a.x - nx * h1, a.y - ny * h1}};
        flush();
        appendf(m_out, "<polygon fill=\"%s\" points=\"", svgColour(e.color).c_str());
        for (const auto& c : corners)
            appendf(m_out, "%.2f,%.2f ", fin(m_f.x(c[0])), fin(m_f.y(c[1])));
        m_out += "\"/>\n";
    }

    void circle(const DrawEntity& e) {
        flush();
        appendf(m_out, "<circle cx=\"%.2f\" cy=\"%.2f\" r=\"%.2f\" fill=\"none\"",
                fin(m_f.x(e.points[0].x)), fin(m_f.y(e.points[0].y)),
                fin(e.radius * m_f.fit.scale));
        m_out += strokeAttributes(penOf(e)) + "/>\n";
    }

    void text(const DrawEntity& e) {
        double px = e.height * m_f.fit.scale * kCapToEm;
        if (!(px >= 1.0) || e.text.empty()) return;
        flush();
        appendf(m_out,
                "<text transform=\"translate(%.2f %.2f) rotate(%.2f) scale(%.3f 1)\" "
                "font-size=\"%.2f\" fill=\"%s\">",
                fin(m_f.x(e.points[0].x)), fin(m_f.y(e.points[0].y)), fin(-e.angle),
                fin(std::max(0.05f, e.widthFactor)), fin(px), svgColour(e.color).c_str());
        m_out += svgEscape(e.text) + "</text>\n";
    }

    void flush() {
        if (m_open && !m_path.empty())
            m_out += "<path d=\"" + m_path + "\" fill=\"none\"" + strokeAttributes(m_pen) + "/>\n";
        m_path.clear();
        m_open = false;
    }

    static Pen penOf(const DrawEntity& e) {
        return {e.color, strcasecmp(e.lineType.c_str(), kContinuousLineType) != 0, 0.0, e.weight};
    }

    std::string& out() { return m_out; }

  private:
    static std::string strokeAttributes(const Pen& pen) {
        std::string s;
        appendf(s, " stroke=\"%s\"", svgColour(pen.colour).c_str());
        if (pen.width > 0.0) {
            appendf(s, " stroke-width=\"%.2f\"", fin(pen.width));
            return s;
        }
        const double w = std::max(1.0f, pen.weight);
        appendf(s, " stroke-width=\"%.2f\" vector-effect=\"non-scaling-stroke\"", w);
        // Dots one pen wide with gaps of two, as a dotted pen draws them.
        if (pen.dotted) appendf(s, " stroke-dasharray=\"%.2f %.2f\"", w, 2 * w);
        return s;
    }

    const SvgFrame& m_f;
    std::string m_out;
    std::string m_path;
    Pen m_pen;
    bool m_open = false;
};

}  // namespace

SvgFrame svgFrame(const DXF& drawing, const SvgOptions& options) {
    const CFRect extent = drawing.GetFRect();
    SvgFrame f;
    f.size = fitPictureSize(extent, options.maxWidth, options.maxHeight);
    const double m = pictureMargin(f.size, options.marginRatio);
    f.fit = fitExtent(extent, m, m, f.size.width - 2 * m, f.size.height - 2 * m);
    return f;
}

std::string svgColour(int aci) {
    Rgb c = aciRgb(aci);
    char s[8];
    std::snprintf(s, sizeof s, "#%02x%02x%02x", c.r, c.g, c.b);
    return s;
}

std::string svgEscape(std::string_view text) {
    const std::string utf8 = decodeFileText(text);
    std::string s;
    s.reserve(utf8.size());
    for (char c : utf8) {
        switch (c) {
            case '&':
                s += "&amp;";
                break;
            case '<':
                s += "&lt;";
                break;
            case '>':
                s += "&gt;";
                break;
            case '"':
                s += "&quot;";
                break;
            default:
                if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7f) s += c;
        }
    }
    return s;
}

std::string formatSvg(const DXF& drawing, const SvgOptions& options,
                      const std::function<std::string(const SvgFrame&)>& extra) {
    const SvgFrame frame = svgFrame(drawing, options);
    const std::string w = std::to_string(frame.size.width), h = std::to_string(frame.size.height);
    SvgOut out(frame);
    out.out() = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + w + "\" height=\"" + h +
                "\" viewBox=\"0 0 " + w + " " + h + "\" font-family=\"" + kFaces +
                "\">\n<rect width=\"" + w + "\" height=\"" + h + "\" fill=\"#ffffff\"/>\n";
    if (!drawing.GetFRect().empty)
        for (const DrawEntity& e : drawing.entities()) walkEntity(e, out);
    out.flush();
    if (extra) out.out() += extra(frame);
    return out.out() + "</svg>\n";
}
