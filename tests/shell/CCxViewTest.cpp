// The drawing view driven as a user drives it: the worked example's sketch
// zoomed with the wheel, dragged with the middle button, zoomed to a
// rectangle and back, its files, clipboard, print and text ratio; checked
// through the view transform.
#include "shell/CCxView.h"

#include "data/CSlideCalcData.h"
#include "diagrams/ThrustCurve.h"
#include "platform/Drawing.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDoubleSpinBox>
#include <QInputDialog>
#include <QMimeData>
#include <QPrinter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

namespace {

std::unique_ptr<DXF> workedExampleSketch() {
    return MakeSketchDrawing(CSlideCalcData{});
}

void wheel(QWidget* w, QPointF at, int notches) {
    QWheelEvent e(at, w->mapToGlobal(at), {}, QPoint(0, 120 * notches), Qt::NoButton, {},
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
}

void drag(QWidget* w, Qt::MouseButton button, QPoint from, QPoint to) {
    QTest::mousePress(w, button, {}, from);
    QTest::mouseMove(w, (from + to) / 2);
    QTest::mouseMove(w, to);
    QTest::mouseRelease(w, button, {}, to);
}

// Where a drawing point lands in the view.
QPointF at(const CCxView& v, QPointF world) {
    return v.viewTransform().toDevice(world.x(), world.y());
}

bool near(QPointF a, QPointF b, double tolerance = 1e-6) {
    return std::abs(a.x() - b.x()) <= tolerance && std::abs(a.y() - b.y()) <= tolerance;
}

}  // namespace

class CCxViewTest : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        m_view = std::make_unique<CCxView>();
        m_view->resize(800, 560);
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
        m_view->setDrawing(workedExampleSketch());
    }
    void cleanup() { m_view.reset(); }

    void wheelDragRectangleAndPanModeGoBackStepByStep();
    void commandsNeedADrawingFilesClipboardPrintAndTextRatio();

  private:
    std::unique_ptr<CCxView> m_view;
};

void CCxViewTest::wheelDragRectangleAndPanModeGoBackStepByStep() {
    CCxView& v = *m_view;
    const ViewTransform whole = v.viewTransform();

    // Two wheel notches about a point: 1.25² larger, that point stays put.
    QPointF cursor(300, 200), under = whole.toWorld(cursor);
    wheel(&v, cursor, 1);
    wheel(&v, cursor, 1);
    QCOMPARE(v.viewTransform().scale(), whole.scale() * 1.5625);
    QVERIFY(near(at(v, under), cursor, 1e-6));
    QSignalSpy moved(&v, &CCxView::cursorPosition);
    // A middle-button drag carries the drawing with the mouse.
    const ViewTransform wheeled = v.viewTransform();
    drag(&v, Qt::MiddleButton, {400, 300}, {460, 260});
    QVERIFY(near(at(v, wheeled.toWorld({400, 300})), {460, 260}));
    QPointF metres = moved.last().at(0).toPointF();
    QVERIFY(near(metres * 1000.0, v.viewTransform().toWorld({460, 260}), 1e-9));

    // Zoom to a rectangle: its middle comes to the view's middle, it fills the height.
    v.zoomRect();
    QCOMPARE(v.mode(), CCxView::Mode::ZoomRect);
    const ViewTransform dragged = v.viewTransform();
    drag(&v, Qt::LeftButton, {200, 150}, {400, 290});
    QCOMPARE(v.mode(), CCxView::Mode::None);
    QVERIFY(near(at(v, dragged.toWorld({300, 220})), QRectF(v.rect()).center(), 1e-6));
    QCOMPARE(v.viewTransform().scale(), dragged.scale() * 4.0);

    // Back: the rectangle, the whole drag, both wheel notches, one step each.
    for (const ViewTransform* expected : {&dragged, &wheeled, &whole}) {
        v.previousZoom();
        QCOMPARE(v.viewTransform(), *expected);
    }
    QCOMPARE(v.navigator().historySize(), 0);

    // "Pan" stays on for the next drag until the right button or Esc ends it.
    v.pan();
    drag(&v, Qt::LeftButton, {100, 100}, {150, 120});
    QVERIFY(near(at(v, whole.toWorld({100, 100})), {150, 120}));
    QTest::mouseClick(&v, Qt::RightButton, {}, {10, 10});
    QCOMPARE(v.mode(), CCxView::Mode::None);
    v.zoomRect();
    QTest::keyClick(&v, Qt::Key_Escape);
    QCOMPARE(v.mode(), CCxView::Mode::None);
}

void CCxViewTest::commandsNeedADrawingFilesClipboardPrintAndTextRatio() {
    CCxView& v = *m_view;
    QSignalSpy changed(&v, &CCxView::drawingChanged);
    std::unique_ptr<DXF> sketch = std::make_unique<DXF>(*v.drawing());
    v.clear();
    QCOMPARE(changed.count(), 1);
    const ViewTransform empty = v.viewTransform();
    v.zoomIn();
    wheel(&v, {100, 100}, 2);
    QCOMPARE(v.viewTransform(), empty);
    QCOMPARE(v.copyToClipboard(), 0);
    v.setDrawing(std::move(sketch));

    QTemporaryDir dir;
    const QString dxf = dir.filePath("sketch.DXF");
    QCOMPARE(v.saveDrawing(dxf), 1);
    size_t entities = v.drawing()->entities().size();
    v.zoomIn();
    QCOMPARE(v.showDrawingFile(dxf), 1);
    QCOMPARE(v.drawing()->entities().size(), entities);
    QVERIFY(v.navigator().showsAll());
    QCOMPARE(v.showDrawingFile(dir.filePath("missing.dxf")), 0);
    QVERIFY(!v.hasDrawing());
    QCOMPARE(v.showDrawingFile(dxf), 1);

    QCOMPARE(v.copyToClipboard(), 1);
    const QMimeData* clip = QGuiApplication::clipboard()->mimeData();
    QVERIFY(clip->data("image/svg+xml").contains("<svg"));
    QVERIFY(clip->hasImage());

    // The dialog "文字显示比例" preset to the ratio; OK stores the new one.
    QSignalSpy ratio(&v, &CCxView::textRatioChanged);
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QString("文字显示比例"));
        QCOMPARE(dialog->doubleValue(), 1.0);
        dialog->findChild<QDoubleSpinBox*>()->setValue(1.5);
        dialog->accept();
    });
    v.editTextRatio();
    QCOMPARE(v.textRatio(), 1.5);
    QCOMPARE(ratio.count(), 1);

    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("sketch.pdf"));
    v.paintOnPrinter(printer);
    QVERIFY(QFileInfo(dir.filePath("sketch.pdf")).size() > 1000);
}

QTEST_MAIN(CCxViewTest)
#include "CCxViewTest.moc"
