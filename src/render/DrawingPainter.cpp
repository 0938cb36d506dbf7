// Each entity in its AutoCAD colour, wide polyline segments as filled
// quadrilaterals, dotted line types as dotted pens, texts on their base lines
// in a CJK font stretched by the style's width factor.
#include "render/DrawingPainter.h"

#include "render/AciPalette.h"
#include "render/DrawingIndex.h"
#include "render/StrokeRaster.h"

#include "platform/Assert.h"
#include "platform/Drawing.h"
#include "platform/EntityWalk.h"

#include <QFont>
#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <optional>
#include <strings.h>
#include <vector>

namespace {

// Cap height over em size of the CJK font: a CAD text height is the height of
// its capitals, a font's pixel size its em.
constexpr double kCapToEm = 1.0 / 0.72;
// Entities this many device units outside the viewport may still reach into
// it with their pen width or antialiasing.
constexpr double kCullMargin = 4.0;
// The size texts are laid out at and taken as outlines, then scaled to their
// own: large enough that the outlines' 1/64-pixel grid is finer than any
// picture shows.
constexpr int kOutlinePixels = 256;
// Laid-out texts a TextOutlines keeps before it starts afresh.
constexpr size_t kMaxTexts = 20000;
// Lines handed to QPainter at once: large batches cost memory, not speed.
constexpr size_t kBatchLines = 4096;

// Which entities a pass paints: all of them, or, when the stroke raster takes
// the thin strokes, those strokes first and the rest over them.
enum class Pass { All, ThinStrokes, AllButThinStrokes };

// The colour an entity is painted in: its own, or its grey palette index.
QColor inkOf(int aci, const std::vector<QRgb>* palette) {
    QColor colour = aciColor(aci);
    if (!palette) return colour;
    auto at = std::find(palette->begin(), palette->end(), colour.rgb());
    talvor_assert(at != palette->end());
    int index = static_cast<int>(at - palette->begin());
    return QColor(index, index, index);
}

// What a stroke needs of the pen; consecutive strokes with the same key are
// painted in one batch.
struct StrokeKey {
    int color = -1;
    bool dotted = false;
    double width = 0.0;  // device pixels; 0 for a hairline of the entity's weight
    float weight = 1.0f;
    bool operator==(const StrokeKey&) const = default;
};

// Paints strokes in batches: thin lines and even-width polyline segments as
// lines of the right pen, tapered wide segments as filled quadrilaterals. In
// the raster passes the thin ones go to the stroke raster or are left out.
class StrokeBatch {
  public:
    StrokeBatch(QPainter& p, const ViewTransform& v, const PaintOptions& o, Pass pass,
                StrokeRaster* raster)
        : m_p(p),
          m_v(v),
          m_hairline(o.hairline),
          m_palette(o.palette),
          m_pass(pass),
          m_raster(raster) {}
    ~StrokeBatch() { flush(); }

    void line(const StrokeKey& key, const DrawVertex& a, const DrawVertex& b) {
        if (m_pass == Pass::AllButThinStrokes) return;
        QPointF pa = m_v.toDevice(a.x, a.y), pb = m_v.toDevice(b.x, b.y);
        if (m_pass == Pass::ThinStrokes)
            return m_raster->line(pa, pb, inkOf(key.color, m_palette).rgb(), key.dotted);
        use(key);
        m_lines.emplace_back(pa, pb);
        if (m_lines.size() == kBatchLines) flush();
    }

    // One polyline segment from a to b with a's start and end widths.
    void segment(const DrawEntity& e, const DrawVertex& a, const DrawVertex& b) {
        StrokeKey key = keyOf(e);
        double w1 = a.startWidth * m_v.scale(), w2 = a.endWidth * m_v.scale();
        // A width under a pixel is drawn as a plain stroke.
        if (std::max(w1, w2) < 1.0) return line(key, a, b);
        if (std::fabs(w1 - w2) < 0.5) {
            key.width = (w1 + w2) / 2.0;
            key.dotted = false;
            return line(key, a, b);
        }
        if (m_pass == Pass::ThinStrokes) return;
        key.width = -1.0;  // filled shape: pen off, brush on
        use(key);
        m_p.drawPolygon(wideQuad(a, b));
    }

    void circle(const DrawEntity& e) {
        if (m_pass == Pass::ThinStrokes) return;
        use(keyOf(e));
        flush();
        double r = e.radius * m_v.scale();
        m_p.drawEllipse(m_v.toDevice(e.points[0].x, e.points[0].y), r, r);
    }

    void flush() {
        if (!m_lines.empty()) m_p.drawLines(m_lines.data(), static_cast<int>(m_lines.size()));
        m_lines.clear();
    }

    static StrokeKey keyOf(const DrawEntity& e) {
        StrokeKey k;
        k.color = e.color;
        k.dotted = strcasecmp(e.lineType.c_str(), kContinuousLineType) != 0;
        k.weight = e.weight;
        return k;
    }

  private:
    void use(const StrokeKey& key) {
        if (m_hasKey && key == m_key) return;
        flush();
        m_key = key;
        m_hasKey = true;
        QColor color = inkOf(key.color, m_palette);
        if (key.width < 0.0) {
            m_p.setPen(Qt::NoPen);
            m_p.setBrush(color);
            return;
        }
        QPen pen(color);
        if (key.width > 0.0) {
            pen.setWidthF(key.width);
            pen.setCapStyle(Qt::FlatCap);
        } else {
            pen.setCosmetic(true);
            pen.setWidthF(std::max(1.0, static_cast<double>(key.weight)) * m_hairline);
        }
        if (key.dotted) pen.setStyle(Qt::DotLine);
        m_p.setPen(pen);
        m_p.setBrush(Qt::NoBrush);
    }

    QPolygonF wideQuad(const DrawVertex& a, const DrawVertex& b) const {
        double dx = b.x - a.x, dy = b.y - a.y, len = std::hypot(dx, dy);
        if (len <= 0.0) return {};
        double nx = -dy / len, ny = dx / len;
        double h1 = a.startWidth / 2.0, h2 = a.endWidth / 2.0;
        QPolygonF quad;
        quad << m_v.toDevice(a.x + nx * h1, a.y + ny * h1)
             << m_v.toDevice(b.x + nx * h2, b.y + ny * h2)
             << m_v.toDevice(b.x - nx * h2, b.y - ny * h2)
             << m_v.toDevice(a.x - nx * h1, a.y - ny * h1);
        return quad;
    }

    QPainter& m_p;
    const ViewTransform& m_v;
    double m_hairline;
    const std::vector<QRgb>* m_palette;
    Pass m_pass;
    StrokeRaster* m_raster;
    StrokeKey m_key;
    bool m_hasKey = false;
    std::vector<QLineF> m_lines;
};

void paintText(QPainter& p, const ViewTransform& v, const DrawEntity& e, double ratio,
               const PaintOptions& o) {
    double px = e.height * v.scale() * kCapToEm * ratio;
    if (!(px >= 1.0) || e.text.empty()) return;
    QFont font;
    font.setFamilies({"WenQuanYi Micro Hei", "Noto Sans CJK SC", "Droid Sans Fallback"});
    const bool aliased = !p.testRenderHint(QPainter::TextAntialiasing);
    // Whole pixels for the font, the rest by scaling, so small texts keep
    // size. Huge texts (a deep zoom) are held to a size the font engine
    // renders without trouble and scaled up. Outlines are taken at one size
    // and scaled, so that every size of a label shares one layout and the
    // font is loaded at one size only.
    int pixels =
        aliased ? kOutlinePixels : static_cast<int>(std::lround(std::clamp(px, 1.0, 4096.0)));
    font.setPixelSize(pixels);
    // The font engine antialiases glyphs whatever the painter's hint says.
    // Outlines are scaled and filled whole, so hinting them would only cost.
    if (aliased) {
        font.setStyleStrategy(QFont::NoAntialias);
        font.setHintingPreference(QFont::PreferNoHinting);
    }
    const QColor ink = inkOf(e.color, o.palette);
    p.save();
    p.setPen(ink);
    p.setFont(font);
    p.translate(v.toDevice(e.points[0].x, e.points[0].y));
    p.rotate(-e.angle);
    double k = px / pixels;
    p.scale(k * std::max(0.05f, e.widthFactor), k);
    if (aliased) {
        // Scaled glyphs are drawn from outlines, antialiased even so: the
        // outline is filled here, so that an aliased picture keeps its few
        // exact colours.
        TextOutlines own;
        (o.outlines ? *o.outlines : own).fill(p, font, e.text, ink);
    } else {
        p.drawText(QPointF(0, 0), QString::fromStdString(e.text));
    }
    p.restore();
}

// One entity through the batch; texts save and restore the painter, so the
// batch's pen survives them.
struct EntityPainter {
    void line(const DrawEntity& e, const DrawVertex& a, const DrawVertex& b) {
        batch.line(StrokeBatch::keyOf(e), a, b);
    }
    void segment(const DrawEntity& e, const DrawVertex& a, const DrawVertex& b) {
        batch.segment(e, a, b);
    }
    void circle(const DrawEntity& e) { batch.circle(e); }
    void text(const DrawEntity& e) {
        if (pass == Pass::ThinStrokes) return;
        batch.flush();
        paintText(p, v, e, textRatio, options);
    }

    QPainter& p;
    StrokeBatch& batch;
    const ViewTransform& v;
    double textRatio;
    Pass pass;
    const PaintOptions& options;
};

size_t strokeCount(const std::vector<DrawEntity>& entities, const std::vector<uint32_t>& which) {
    size_t n = 0;
    for (uint32_t i : which) {
        const DrawEntity& e = entities[i];
        if (e.kind == DrawEntityKind::Line) ++n;
        if (e.kind == DrawEntityKind::Polyline && !e.points.empty())
            n += e.closed ? e.points.size() : e.points.size() - 1;
    }
    return n;
}

void paintPass(QPainter& p, const DXF& drawing, const ViewTransform& v,
               const std::vector<uint32_t>& which, const PaintOptions& o, double ratio, Pass pass,
               StrokeRaster* raster) {
    StrokeBatch batch(p, v, o, pass, raster);
    EntityPainter painter{p, batch, v, ratio, pass, o};
    for (uint32_t i : which) walkEntity(drawing.entities()[i], painter);
}

}  // namespace

// Laid out as QPainterPath::addText lays a text out, each glyph's outline
// taken from the font once.
const TextOutlines::Placed& TextOutlines::laidOut(const QFont& font, const std::string& text) {
    if (m_texts.size() >= kMaxTexts) {
        m_texts.clear();
        m_glyphs.clear();
    }
    auto [it, added] = m_texts.try_emplace({font.pixelSize(), text});
    if (!added) return it->second;
    QTextLayout layout(QString::fromStdString(text), font);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    // The layout puts the first line's top at 0; the outline's baseline is 0.
    const double baseline = line.ascent();
    for (const QGlyphRun& run : layout.glyphRuns()) {
        const QRawFont font = run.rawFont();
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> at = run.positions();
        for (qsizetype i = 0; i < glyphs.size(); ++i) {
            auto [glyph, fresh] = m_glyphs.try_emplace(
                GlyphKey{font.familyName(), font.styleName(), font.pixelSize(), glyphs[i]});
            if (fresh) {
                glyph->second = font.pathForGlyph(glyphs[i]);
                glyph->second.setFillRule(Qt::WindingFill);
            }
            it->second.emplace_back(&glyph->second, at[i] - QPointF(0, baseline));
        }
    }
    return it->second;
}

void TextOutlines::fill(QPainter& p, const QFont& font, const std::string& text,
                        const QColor& ink) {
    const QTransform origin = p.transform();
    for (const auto& [glyph, at] : laidOut(font, text)) {
        p.setTransform(QTransform::fromTranslate(at.x(), at.y()) * origin);
        p.fillPath(*glyph, ink);
    }
    p.setTransform(origin);
}

PaintSummary paintDrawing(QPainter& painter, const DXF& drawing, const ViewTransform& view,
                          const PaintOptions& options, const DrawingIndex* index) {
    std::optional<DrawingIndex> own;
    if (!index) index = &own.emplace(drawing);
    talvor_assert(index->size() == drawing.entities().size());
    double ratio =
        options.textRatio > 0.0 && std::isfinite(options.textRatio) ? options.textRatio : 1.0;
    double pad = kCullMargin / view.scale();
    std::vector<uint32_t> visible =
        index->query(view.visibleWorld().adjusted(-pad, -pad, pad, pad), ratio);
    PaintSummary summary;
    summary.visible = visible.size();
    summary.strokes = strokeCount(drawing.entities(), visible);
    summary.dense = summary.strokes >= kDenseStrokes;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, options.antialias);
    painter.setRenderHint(QPainter::TextAntialiasing, options.antialias);
    if (!summary.dense) {
        paintPass(painter, drawing, view, visible, options, ratio, Pass::All, nullptr);
    } else {
        double density = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
        StrokeRaster raster(view.viewport(), density);
        paintPass(painter, drawing, view, visible, options, ratio, Pass::ThinStrokes, &raster);
        painter.drawImage(raster.area(), raster.image());
        paintPass(painter, drawing, view, visible, options, ratio, Pass::AllButThinStrokes,
                  nullptr);
    }
    painter.restore();
    return summary;
}
