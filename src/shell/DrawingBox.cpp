// Painting through the renderer that makes the report's pictures.
#include "shell/DrawingBox.h"

#include "platform/Drawing.h"
#include "render/DrawingRenderer.h"

#include <QPainter>

DrawingBox::DrawingBox(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
}

DrawingBox::~DrawingBox() = default;

void DrawingBox::setDrawing(std::unique_ptr<DXF> drawing) {
    m_drawing = std::move(drawing);
    update();
}

void DrawingBox::paintEvent(QPaintEvent*) {
    if (!m_drawing) return;
    QPainter painter(this);
    QRectF area = QRectF(rect()).adjusted(6, 6, -6, -6);
    paintDrawing(painter, *m_drawing, area);
}
