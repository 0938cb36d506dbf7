// The project window's two views driven as a user drives them. The drawing
// view: the worked example's sketch zoomed with the wheel, dragged with the
// middle button, zoomed to a rectangle and back, its files, clipboard, print
// and text ratio; checked through the view transform.
#include "support/ShellTestSupport.h"
#include "support/TestSupport.h"

#include "shell/CBbView.h"
#include "shell/CCxView.h"
#include "shell/Commands.h"

#include "data/CSlideCalcData.h"
#include "diagrams/ThrustCurve.h"
#include "platform/Drawing.h"
#include "platform/ReportWriter.h"
#include "platform/TextEncoding.h"
#include "platform/WorkContext.h"
#include "render/ReportPages.h"

#include <QApplication>
#include <QClipboard>
#include <QDoubleSpinBox>
#include <QInputDialog>
#include <QMimeData>
#include <QPrinter>
#include <QScrollBar>
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

std::string file(const QTemporaryDir& dir, const char* name) {
    return dir.filePath(name).toStdString();
}

int pictures(const CBbView& view) {
    return static_cast<int>(view.toPlainText().count(QChar::ObjectReplacementCharacter));
}

// The worked example's sketch and thrust curve, as a calculation leaves them in dir.
void writeDrawings(const QTemporaryDir& dir) {
    std::unique_ptr<DXF> sketch = workedExampleSketch();
    QCOMPARE(sketch->Write_MemDxf_To_File(file(dir, "&TLVR_0001_TLVR_JT.DXF")), 1);
    QCOMPARE(MakeThrustCurveDrawing(CSlideCalcData{}, *sketch)
                 ->Write_MemDxf_To_File(file(dir, "&TLVR_0001_TLVR_SYXHL.DXF")),
             1);
}

}  // namespace

class ProjectViewsTest : public QObject {
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
    void loadsChineseTextAndExpandsDirectives();
    void goesToLinesAndSavesTextAndRtfWhole();

  private:
    std::unique_ptr<CCxView> m_view;
};

void ProjectViewsTest::wheelDragRectangleAndPanModeGoBackStepByStep() {
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

void ProjectViewsTest::commandsNeedADrawingFilesClipboardPrintAndTextRatio() {
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

// The report view: Chinese text files, directives expanded, go to line, the text saved whole, RTF
// written and read back. That the document the view holds writes the RTF talvor-cli writes is
// ReportTextDocumentTest's.
void ProjectViewsTest::loadsChineseTextAndExpandsDirectives() {
    QTemporaryDir dir;
    CBbView view;
    // GB2312 text loads as plain text with its Chinese; a missing file changes
    // nothing. (Which file is RTF is RtfWriterTest's, the colours of a run
    // ReportTextDocumentTest's.)
    writeBytes(file(dir, "b.RTF"), utf8ToGbk("滑坡推力计算\n第二行\n"));
    QCOMPARE(view.LoadReport(dir.filePath("b.RTF")), 1);
    QCOMPARE(view.toPlainText(), QString("滑坡推力计算\n第二行\n"));
    QCOMPARE(view.LoadReport(dir.filePath("none.RTF")), 0);
    QCOMPARE(view.toPlainText(), QString("滑坡推力计算\n第二行\n"));

    // Two drawings become two pictures (the styles of the text are
    // ReportTextDocumentTest's); expanding is not a step to undo.
    writeDrawings(dir);
    ReportWriter r;
    r.printf("计算项目： K12+300 左侧滑坡\n前");
    MorvaneScript(r, "TextStyle=255,1.5              红色");
    r.printf("后\n");
    MorvaneScript(r, "InsertDxf=&TLVR_0001_TLVR_JT.DXF");
    MorvaneScript(r, "InsertDxf=&TLVR_0001_TLVR_SYXHL.DXF");
    writeBytes(file(dir, "c.RTF"), utf8ToGbk(r.utf8()));
    ReportViewLinks links;
    links.workPath = [&] { return withTrailingSlash(dir.path().toStdString()); };
    CBbView expanding(links);
    QCOMPARE(expanding.LoadReport(dir.filePath("c.RTF")), 1);
    QCOMPARE(expanding.ExpandScript(), 0);
    QCOMPARE(pictures(expanding), 2);
    QVERIFY(!expanding.canRun(cmd::Undo));
    QVERIFY(!expanding.toPlainText().contains("MorvaneScript"));
    QCOMPARE(expanding.heading().item, QString("K12+300 左侧滑坡"));  // from the report's head
}

void ProjectViewsTest::goesToLinesAndSavesTextAndRtfWhole() {
    QTemporaryDir dir;
    ReportWriter r;
    for (int i = 1; i <= 3000; ++i) r.printf("第%04d行 推力 = %.3f kN/m\n", i, i * 0.5);
    QVERIFY(r.utf8().size() > 30000);
    writeBytes(file(dir, "long.RTF"), utf8ToGbk(r.utf8()));
    QString line, saved;
    int wanted = 0;
    ReportViewLinks links;
    links.showLine = [&](const QString& text) { line = text; };
    links.askNumber = [&](const QString& title, const QString& label, int& value) {
        value = wanted;
        return title == "指定行号" && label == "行号:";
    };
    links.chooseFile = [&](const QString&, const QString&, bool) { return saved; };
    CBbView view(links);
    view.resize(600, 400);
    view.show();
    QCOMPARE(view.LoadReport(dir.filePath("long.RTF")), 1);
    for (int to : {2000, 1}) {
        wanted = to;
        view.run(cmd::GoToLine);
        QCOMPARE(line, QString("Line: %1").arg(to));
        QCOMPARE(view.cursorForPosition(QPoint(2, 6)).blockNumber(), to - 1);
    }
    QCOMPARE(view.verticalScrollBar()->value(), 0);

    // Find goes on from the caret and around; replacing all never meets its own text again.
    QVERIFY(view.FindText("第2999行", {}));
    QCOMPARE(view.textCursor().blockNumber(), 2998);
    QVERIFY(view.FindText("第0002行", {}));
    QCOMPARE(view.textCursor().blockNumber(), 1);
    QCOMPARE(view.ReplaceAll("推力", "滑坡推力", {}), 3000);
    view.document()->undo();

    saved = dir.filePath("long.TXT");
    view.run(cmd::SaveText);
    QCOMPARE(fileBytes(saved).toStdString(), utf8ToGbk(r.utf8()));

    // Saved as RTF with a picture, read back the same.
    view.moveCursor(QTextCursor::End);
    QImage photo(40, 30, QImage::Format_RGB32);
    photo.fill(Qt::darkGreen);
    QVERIFY(photo.save(dir.filePath("photo.png")));
    QCOMPARE(view.InsertPictureFile(dir.filePath("photo.png")), 1);
    QCOMPARE(view.InsertPictureFile(dir.filePath("long.RTF")), 0);
    saved = dir.filePath("again");
    view.run(cmd::SaveRtfAs);
    QCOMPARE(view.reportPath(), dir.filePath("again.RTF"));
    CBbView back;
    QCOMPARE(back.LoadReport(view.reportPath()), 1);
    QCOMPARE(back.toPlainText(), view.toPlainText());
    QCOMPARE(pictures(back), 1);
}

QTEST_MAIN(ProjectViewsTest)
#include "ProjectViewsTest.moc"
