// Painting a whole drawing through the renderer of src/render.
#include "shell/DrawingPreview.h"

#include "platform/Drawing.h"
#include "render/DrawingRenderer.h"

#include <QPainter>

DrawingPreview::DrawingPreview(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    setMinimumSize(120, 90);
}

DrawingPreview::~DrawingPreview() = default;

void DrawingPreview::setDrawing(std::unique_ptr<DXF> drawing) {
    m_drawing = std::move(drawing);
    update();
}

bool DrawingPreview::showFile(const QString& path) {
    auto drawing = NewMemDxf();
    if (!drawing || !drawing->Read_FileDxf_To_Mem(path.toStdString())) {
        clear();
        return false;
    }
    setDrawing(std::move(drawing));
    return true;
}

void DrawingPreview::clear() {
    setDrawing(nullptr);
}

void DrawingPreview::paintEvent(QPaintEvent*) {
    if (!m_drawing) return;
    QPainter painter(this);
    const double margin = 8.0;
    paintDrawing(painter, *m_drawing, QRectF(rect()).adjusted(margin, margin, -margin, -margin));
}
