// Painting a drawing: each entity in its AutoCAD colour, wide polyline
// segments as filled quadrilaterals, dotted line types as dotted pens, texts
// on their base lines in a CJK font stretched by the style's width factor.
#include "render/DrawingRenderer.h"

#include "render/AciPalette.h"

#include "platform/AtomicFile.h"
#include "platform/Drawing.h"

#include <QBuffer>
#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <strings.h>
#include <vector>

namespace {

// Cap height over em size of the CJK font: a CAD text height is the height of
// its capitals, a font's pixel size its em.
constexpr double kCapToEm = 1.0 / 0.72;

// Drawing coordinates (y up) to device coordinates (y down), fitted.
struct Fit {
    double scale = 1.0;
    double ox = 0.0, oy = 0.0;  // device position of the drawing's origin
    QPointF map(double x, double y) const { return {ox + x * scale, oy - y * scale}; }
};

Fit fitTo(const CFRect& r, const QRectF& target) {
    Fit f;
    double w = std::max<double>(r.width(), 1e-6), h = std::max<double>(r.height(), 1e-6);
    f.scale = std::min(target.width() / w, target.height() / h);
    double cx = (r.p1.x + r.p2.x) / 2.0, cy = (r.p1.y + r.p2.y) / 2.0;
    f.ox = target.center().x() - cx * f.scale;
    f.oy = target.center().y() + cy * f.scale;
    return f;
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
// lines of the right pen, tapered wide segments as filled quadrilaterals.
class StrokeBatch {
  public:
    StrokeBatch(QPainter& p, const Fit& f) : m_p(p), m_f(f) {}
    ~StrokeBatch() { flush(); }

    void line(const StrokeKey& key, const DrawVertex& a, const DrawVertex& b) {
        use(key);
        m_lines.emplace_back(m_f.map(a.x, a.y), m_f.map(b.x, b.y));
    }

    // One polyline segment from a to b with a's start and end widths.
    void segment(const DrawEntity& e, const DrawVertex& a, const DrawVertex& b) {
        StrokeKey key = keyOf(e);
        double w1 = a.startWidth * m_f.scale, w2 = a.endWidth * m_f.scale;
        // A width under a pixel is drawn as a plain stroke.
        if (std::max(w1, w2) < 1.0) return line(key, a, b);
        if (std::fabs(w1 - w2) < 0.5) {
            key.width = (w1 + w2) / 2.0;
            key.dotted = false;
            return line(key, a, b);
        }
        key.width = -1.0;  // filled shape: pen off, brush on
        use(key);
        m_p.drawPolygon(wideQuad(a, b));
    }

    void circle(const DrawEntity& e) {
        use(keyOf(e));
        flush();
        double r = e.radius * m_f.scale;
        m_p.drawEllipse(m_f.map(e.points[0].x, e.points[0].y), r, r);
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
        QColor color = aciColor(key.color);
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
            pen.setWidthF(std::max(1.0, static_cast<double>(key.weight)));
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
        quad << m_f.map(a.x + nx * h1, a.y + ny * h1) << m_f.map(b.x + nx * h2, b.y + ny * h2)
             << m_f.map(b.x - nx * h2, b.y - ny * h2) << m_f.map(a.x - nx * h1, a.y - ny * h1);
        return quad;
    }

    QPainter& m_p;
    const Fit& m_f;
    StrokeKey m_key;
    bool m_hasKey = false;
    std::vector<QLineF> m_lines;
};

void paintText(QPainter& p, const Fit& f, const DrawEntity& e) {
    double px = e.height * f.scale * kCapToEm;
    if (px < 1.0 || e.text.empty()) return;
    QFont font;
    font.setFamilies({"WenQuanYi Micro Hei", "Noto Sans CJK SC", "Droid Sans Fallback"});
    // Whole pixels for the font, the rest by scaling, so small texts keep size.
    int pixels = std::max(1, static_cast<int>(std::lround(px)));
    font.setPixelSize(pixels);
    p.save();
    p.setPen(aciColor(e.color));
    p.setFont(font);
    p.translate(f.map(e.points[0].x, e.points[0].y));
    p.rotate(-e.angle);
    double k = px / pixels;
    p.scale(k * std::max(0.05f, e.widthFactor), k);
    p.drawText(QPointF(0, 0), QString::fromStdString(e.text));
    p.restore();
}

void paintEntity(QPainter& p, StrokeBatch& batch, const Fit& f, const DrawEntity& e) {
    // Texts save and restore the painter, so the batch's pen survives them.
    if (e.points.empty()) return;
    switch (e.kind) {
        case DrawEntityKind::Line:
            if (e.points.size() >= 2) batch.line(StrokeBatch::keyOf(e), e.points[0], e.points[1]);
            break;
        case DrawEntityKind::Polyline: {
            size_t n = e.points.size();
            size_t segments = e.closed ? n : (n > 0 ? n - 1 : 0);
            for (size_t i = 0; i < segments; ++i)
                batch.segment(e, e.points[i], e.points[(i + 1) % n]);
            break;
        }
        case DrawEntityKind::Circle:
            batch.circle(e);
            break;
        case DrawEntityKind::Text:
            batch.flush();
            paintText(p, f, e);
            break;
    }
}

}  // namespace

void paintDrawing(QPainter& painter, const DXF& drawing, const QRectF& target, bool antialias) {
    CFRect r = drawing.GetFRect();
    if (r.empty) return;
    Fit f = fitTo(r, target);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, antialias);
    painter.setRenderHint(QPainter::TextAntialiasing, antialias);
    {
        StrokeBatch batch(painter, f);
        for (const DrawEntity& e : drawing.entities()) paintEntity(painter, batch, f, e);
    }
    painter.restore();
}

QSize pictureSize(const DXF& drawing, const RenderOptions& options) {
    int maxW = std::max(16, options.maxWidth), maxH = std::max(16, options.maxHeight);
    CFRect r = drawing.GetFRect();
    if (r.empty || !(r.width() > 0.0f) || !(r.height() > 0.0f)) return {maxW, maxH};
    double aspect = static_cast<double>(r.width()) / r.height();
    if (aspect >= static_cast<double>(maxW) / maxH)
        return {maxW, std::max(16, static_cast<int>(std::lround(maxW / aspect)))};
    return {std::max(16, static_cast<int>(std::lround(maxH * aspect))), maxH};
}

namespace {

QRectF innerRect(QSize size, const RenderOptions& options) {
    double m = std::min(size.width(), size.height()) * options.marginRatio;
    return QRectF(m, m, size.width() - 2 * m, size.height() - 2 * m);
}

}  // namespace

QImage renderDrawingImage(const DXF& drawing, const RenderOptions& options) {
    QSize size = pictureSize(drawing, options);
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull()) return image;
    image.fill(Qt::white);
    QPainter painter(&image);
    paintDrawing(painter, drawing, innerRect(size, options), options.antialias);
    return image;
}

std::string renderDrawingPng(const DXF& drawing, const RenderOptions& options) {
    QImage image = renderDrawingImage(drawing, options);
    if (image.isNull()) return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return {};
    return bytes.toStdString();
}

std::string renderDrawingSvg(const DXF& drawing, const RenderOptions& options) {
    QSize size = pictureSize(drawing, options);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle("Talvor");
    QPainter painter;
    if (!painter.begin(&svg)) return {};
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    paintDrawing(painter, drawing, innerRect(size, options), options.antialias);
    painter.end();
    return bytes.toStdString();
}

int renderDrawingToFile(const DXF& drawing, const std::string& path, const RenderOptions& options) {
    auto endsWith = [&](const char* ext) {
        size_t n = std::char_traits<char>::length(ext);
        return path.size() > n && strcasecmp(path.c_str() + path.size() - n, ext) == 0;
    };
    std::string bytes;
    if (endsWith(".png"))
        bytes = renderDrawingPng(drawing, options);
    else if (endsWith(".svg"))
        bytes = renderDrawingSvg(drawing, options);
    else
        return 0;
    if (bytes.empty()) return 0;
    return writeFileAtomically(path, bytes);
}

RenderFileOutcome renderDxfFile(const std::string& dxfPath, const std::string& picturePath,
                                const RenderOptions& options) {
    DXF drawing;
    if (!drawing.Read_FileDxf_To_Mem(dxfPath)) return RenderFileOutcome::DrawingUnreadable;
    if (!renderDrawingToFile(drawing, picturePath, options))
        return RenderFileOutcome::PictureNotWritten;
    return RenderFileOutcome::Written;
}

std::unique_ptr<QGuiApplication> makeOffscreenGuiApplication() {
    if (QGuiApplication::instance()) return nullptr;
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // Qt keeps references to argc and argv for the application's lifetime.
    static int argc = 1;
    static char name[] = "talvor";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}
