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

QPen entityPen(const DrawEntity& e) {
    QPen pen(aciColor(e.color));
    pen.setCosmetic(true);
    pen.setWidthF(std::max(1.0, static_cast<double>(e.weight)));
    if (strcasecmp(e.lineType.c_str(), kContinuousLineType) != 0) pen.setStyle(Qt::DotLine);
    return pen;
}

// One polyline segment of start width w1 and end width w2 as a filled shape.
void paintWideSegment(QPainter& p, const Fit& f, const DrawVertex& a, const DrawVertex& b) {
    double dx = b.x - a.x, dy = b.y - a.y, len = std::hypot(dx, dy);
    if (len <= 0.0) return;
    double nx = -dy / len, ny = dx / len;
    double h1 = a.startWidth / 2.0, h2 = a.endWidth / 2.0;
    QPolygonF quad;
    quad << f.map(a.x + nx * h1, a.y + ny * h1) << f.map(b.x + nx * h2, b.y + ny * h2)
         << f.map(b.x - nx * h2, b.y - ny * h2) << f.map(a.x - nx * h1, a.y - ny * h1);
    p.drawPolygon(quad);
}

void paintPolyline(QPainter& p, const Fit& f, const DrawEntity& e) {
    size_t n = e.points.size();
    size_t segments = e.closed ? n : (n > 0 ? n - 1 : 0);
    for (size_t i = 0; i < segments; ++i) {
        const DrawVertex& a = e.points[i];
        const DrawVertex& b = e.points[(i + 1) % n];
        // A width under a pixel is drawn as a plain stroke.
        if (std::max(a.startWidth, a.endWidth) * f.scale >= 1.0) {
            p.setBrush(p.pen().color());
            QPen outline = p.pen();
            outline.setStyle(Qt::SolidLine);
            p.save();
            p.setPen(outline);
            paintWideSegment(p, f, a, b);
            p.restore();
        } else {
            p.drawLine(f.map(a.x, a.y), f.map(b.x, b.y));
        }
    }
}

void paintText(QPainter& p, const Fit& f, const DrawEntity& e) {
    double px = e.height * f.scale * kCapToEm;
    if (px < 1.0 || e.text.empty()) return;
    QFont font;
    font.setFamilies({"WenQuanYi Micro Hei", "Noto Sans CJK SC", "Droid Sans Fallback"});
    // Whole pixels for the font, the rest by scaling, so small texts keep size.
    int pixels = std::max(1, static_cast<int>(std::lround(px)));
    font.setPixelSize(pixels);
    p.save();
    p.setFont(font);
    p.translate(f.map(e.points[0].x, e.points[0].y));
    p.rotate(-e.angle);
    double k = px / pixels;
    p.scale(k * std::max(0.05f, e.widthFactor), k);
    p.drawText(QPointF(0, 0), QString::fromStdString(e.text));
    p.restore();
}

void paintEntity(QPainter& p, const Fit& f, const DrawEntity& e) {
    if (e.points.empty()) return;
    p.setPen(entityPen(e));
    p.setBrush(Qt::NoBrush);
    switch (e.kind) {
        case DrawEntityKind::Line:
            if (e.points.size() >= 2)
                p.drawLine(f.map(e.points[0].x, e.points[0].y),
                           f.map(e.points[1].x, e.points[1].y));
            break;
        case DrawEntityKind::Polyline:
            paintPolyline(p, f, e);
            break;
        case DrawEntityKind::Circle: {
            double r = e.radius * f.scale;
            p.drawEllipse(f.map(e.points[0].x, e.points[0].y), r, r);
            break;
        }
        case DrawEntityKind::Text:
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
    for (const DrawEntity& e : drawing.entities()) paintEntity(painter, f, e);
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

std::unique_ptr<QGuiApplication> makeOffscreenGuiApplication() {
    if (QGuiApplication::instance()) return nullptr;
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // Qt keeps references to argc and argv for the application's lifetime.
    static int argc = 1;
    static char name[] = "talvor";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}
