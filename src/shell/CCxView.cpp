// The drawing view on screen: painting, the drawing commands and the mouse.
// All view arithmetic is the navigator's; files, clipboard, printing and the
// text ratio dialog are in CCxViewCommands.cpp.
#include "shell/CCxView.h"

#include "render/DrawingIndex.h"
#include "render/DrawingPainter.h"

#include "platform/Drawing.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QRubberBand>
#include <QWheelEvent>

#include <cmath>

namespace {

// One notch of the wheel (120 eighths of a degree) zooms by this factor;
// touchpads send fractions of a notch and zoom by fractions of it.
constexpr double kWheelFactor = 1.25;
constexpr double kMillimetresPerMetre = 1000.0;

}  // namespace

CCxView::CCxView(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::CrossCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(QStringLiteral("图形"));
    m_navigator.setViewport(QRectF(rect()));
}

CCxView::~CCxView() = default;

void CCxView::setDrawing(std::unique_ptr<DXF> drawing) {
    m_index.reset();
    m_drawing = std::move(drawing);
    CFRect extents;
    if (m_drawing) {
        m_index = std::make_unique<DrawingIndex>(*m_drawing);
        extents = m_drawing->GetFRect();
    }
    m_navigator.setExtents(extents);
    setMode(Mode::None);
    update();
    emit drawingChanged();
}

void CCxView::replaceDrawing(std::unique_ptr<DXF> drawing) {
    if (!m_drawing || !drawing) return setDrawing(std::move(drawing));
    m_drawing = std::move(drawing);
    m_index = std::make_unique<DrawingIndex>(*m_drawing);
    m_navigator.changeExtents(m_drawing->GetFRect());
    update();
    emit drawingChanged();
}

int CCxView::showDrawingFile(const QString& path) {
    clear();
    std::unique_ptr<DXF> drawing = NewMemDxf();
    if (!drawing || !drawing->Read_FileDxf_To_Mem(path.toStdString())) return 0;
    setDrawing(std::move(drawing));
    return 1;
}

void CCxView::clear() {
    if (m_drawing) setDrawing(nullptr);
}

void CCxView::zoomOut() {
    if (!m_drawing) return;
    m_navigator.zoomOut();
    update();
}

void CCxView::zoomIn() {
    if (!m_drawing) return;
    m_navigator.zoomIn();
    update();
}

void CCxView::pan() {
    if (m_drawing) setMode(Mode::Pan);
}

void CCxView::showAll() {
    if (!m_drawing) return;
    m_navigator.showAll();
    update();
}

void CCxView::redraw() {
    if (m_drawing) update();
}

void CCxView::zoomRect() {
    if (m_drawing) setMode(Mode::ZoomRect);
}

void CCxView::previousZoom() {
    if (m_drawing && m_navigator.previous()) update();
}

void CCxView::setMode(Mode mode) {
    m_mode = mode;
    m_dragButton = Qt::NoButton;
    if (m_band) m_band->hide();
    setCursor(mode == Mode::Pan ? Qt::OpenHandCursor : Qt::CrossCursor);
}

void CCxView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!m_drawing) return;
    PaintOptions options;
    options.textRatio = m_textRatio;
    paintDrawing(painter, *m_drawing, m_navigator.transform(), options, m_index.get());
    paintOverlays(painter);
}

void CCxView::setOverlays(std::vector<ViewOverlay> overlays) {
    m_overlays = std::move(overlays);
    update();
}

void CCxView::paintOverlays(QPainter& painter) const {
    const ViewTransform& t = m_navigator.transform();
    painter.setRenderHint(QPainter::Antialiasing);
    for (const ViewOverlay& o : m_overlays) {
        QPen pen(o.color, o.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        painter.setPen(pen);
        for (const QPolygonF& path : o.paths) {
            QPolygonF device;
            device.reserve(path.size());
            for (const QPointF& p : path) device << t.toDevice(p.x(), p.y());
            if (device.size() == 1)
                painter.drawPoint(device.front());
            else
                painter.drawPolyline(device);
        }
    }
}

void CCxView::resizeEvent(QResizeEvent*) {
    m_navigator.setViewport(QRectF(rect()));
}

void CCxView::wheelEvent(QWheelEvent* event) {
    if (!m_drawing || event->angleDelta().y() == 0) return event->ignore();
    double factor = std::pow(kWheelFactor, event->angleDelta().y() / 120.0);
    m_navigator.zoomAbout(event->position(), factor, ViewNavigator::Step::Wheel);
    update();
    event->accept();
}

void CCxView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton && m_mode != Mode::None) {
        setMode(Mode::None);  // as in CAD programs: the right button ends the command
        return event->accept();
    }
    bool drags = event->button() == Qt::MiddleButton ||
                 (event->button() == Qt::LeftButton && m_mode != Mode::None);
    if (m_drawing && !drags && event->button() == Qt::LeftButton) {
        const ViewTransform& t = m_navigator.transform();
        emit clicked(t.toWorld(event->position()), 1.0 / t.scale());
        return event->accept();
    }
    if (!m_drawing || !drags) return QWidget::mousePressEvent(event);
    m_dragButton = event->button();
    m_dragFrom = event->position();
    m_navigator.endGesture();
    if (m_dragButton == Qt::LeftButton && m_mode == Mode::ZoomRect) {
        if (!m_band) m_band = new QRubberBand(QRubberBand::Rectangle, this);
        m_band->setGeometry(QRect(m_dragFrom.toPoint(), QSize()));
        m_band->show();
    } else {
        setCursor(Qt::ClosedHandCursor);
    }
    event->accept();
}

void CCxView::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragButton == Qt::LeftButton && m_mode == Mode::ZoomRect) {
        m_band->setGeometry(QRectF(m_dragFrom, event->position()).normalized().toRect());
    } else if (m_dragButton != Qt::NoButton) {
        m_navigator.panBy(event->position() - m_dragFrom, ViewNavigator::Step::Drag);
        m_dragFrom = event->position();
        update();
    }
    if (!m_drawing) return;
    QPointF w = m_navigator.transform().toWorld(event->position());
    emit cursorPosition(w / kMillimetresPerMetre);
}

void CCxView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != m_dragButton || m_dragButton == Qt::NoButton)
        return QWidget::mouseReleaseEvent(event);
    if (m_dragButton == Qt::LeftButton && m_mode == Mode::ZoomRect) {
        m_navigator.zoomToRect(QRectF(m_dragFrom, event->position()));
        setMode(Mode::None);  // one rectangle per command, as in CAD programs
    } else {
        m_navigator.endGesture();
        m_dragButton = Qt::NoButton;
        setCursor(m_mode == Mode::Pan ? Qt::OpenHandCursor : Qt::CrossCursor);
    }
    update();
    event->accept();
}

void CCxView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::MiddleButton) return QWidget::mouseDoubleClickEvent(event);
    showAll();
    event->accept();
}

void CCxView::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Escape || m_mode == Mode::None)
        return QWidget::keyPressEvent(event);
    setMode(Mode::None);
    event->accept();
}

QPrinter& CCxView::printer() {
    if (!m_printer) m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}
