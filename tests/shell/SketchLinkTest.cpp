// The live sketch and the tables answering each other through the widgets:
// a row clicked in a table lights its element up, an element clicked in the
// sketch makes its row current, the mouse over an element names it, an edit
// keeps the sketch's zoom.
#include "support/ShellTestSupport.h"

#include "shell/CCxView.h"
#include "shell/CalcWindow.h"
#include "shell/SketchLink.h"
#include "shell/TableGrid.h"

#include "data/CSlideCalcData.h"
#include "diagrams/SketchElements.h"
#include "platform/WorkContext.h"

#include <QStatusBar>
#include <QTabWidget>
#include <QTest>

namespace {

QPoint onScreen(CCxView* sketch, const SketchElement& e) {
    CFPoint a = e.points.front(), b = e.points.back();
    return sketch->viewTransform().toDevice((a.x + b.x) / 2, (a.y + b.y) / 2).toPoint();
}

std::vector<CFPoint> highlightedPath(CCxView* sketch) {
    std::vector<CFPoint> out;
    if (sketch->overlays().size() != 1 || sketch->overlays()[0].paths.size() != 1) return out;
    for (QPointF p : sketch->overlays()[0].paths[0])
        out.push_back({static_cast<float>(p.x()), static_cast<float>(p.y())});
    return out;
}

void clickCell(TableGrid* grid, int row, int col) {
    QModelIndex i = grid->model()->index(row - 1, col - 1);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(i).center());
}

}  // namespace

class SketchLinkTest : public QObject, CalcWindowPlace {
    Q_OBJECT

  private slots:
    void rowsLightUpElementsAndElementsSelectRows();
};

void SketchLinkTest::rowsLightUpElementsAndElementsSelectRows() {
    record.slope[1].loadCount = 2;
    CalcWindow w(links());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    CCxView* sketch = w.sketch();
    std::vector<SketchElement> all = SketchElements(record);
    auto element = [&](SketchElementKind kind, int index) {
        for (const SketchElement& e : all)
            if (e.kind == kind && e.index == index) return e;
        return SketchElement{kind, -1, {}, ""};
    };

    w.tabs()->setCurrentIndex(1);
    clickCell(w.grid(TableId::CSlipTable), 3, 2);
    QCOMPARE(highlightedPath(sketch), element(SketchElementKind::SlipSegment, 2).points);
    w.tabs()->setCurrentIndex(2);
    clickCell(w.grid(TableId::CLoadTable), 2, 3);  // the second load of slope segment 2
    QCOMPARE(highlightedPath(sketch), element(SketchElementKind::PointLoad, 1).points);

    w.tabs()->setCurrentIndex(3);
    clickCell(w.grid(TableId::CRowFactorTable), 1, 2);
    QCOMPARE(highlightedPath(sketch), element(SketchElementKind::PileRow, 0).points);
    w.tabs()->setCurrentIndex(4);
    clickCell(w.grid(TableId::CBermTable), 2, 2);
    QCOMPARE(highlightedPath(sketch), element(SketchElementKind::Berm, 0).points);

    // A click on slope segment 5, from the slip page.
    w.tabs()->setCurrentIndex(1);
    QTest::mouseClick(sketch, Qt::LeftButton, {},
                      onScreen(sketch, element(SketchElementKind::SlopeSegment, 4)));
    QCOMPARE(w.tabs()->currentIndex(), 2);
    QCOMPARE(w.grid(TableId::CSlopeTable)->currentIndex().row(), 4);
    QCOMPARE(highlightedPath(sketch), element(SketchElementKind::SlopeSegment, 4).points);
    // A click on nothing changes nothing.
    QTest::mouseClick(sketch, Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(w.grid(TableId::CSlopeTable)->currentIndex().row(), 4);

    // The mouse over slip segment 2 names it.
    SketchElement slip2 = element(SketchElementKind::SlipSegment, 1);
    QTest::mouseMove(sketch, onScreen(sketch, slip2));
    QCOMPARE(w.statusBar()->currentMessage(), QString::fromStdString(DescribeSketchElement(slip2)));
    QVERIFY(w.statusBar()->currentMessage().startsWith("滑面第2段  起点("));

    // An edit keeps the zoom and pan the engineer chose; one that carries the
    // section far past the view shows it whole again.
    sketch->zoomIn();
    const ViewTransform zoomed = sketch->viewTransform();
    w.tabs()->setCurrentIndex(1);
    typeIntoCell(w.grid(TableId::CSlipTable), 3, 6, "12.75");
    QCOMPARE(sketch->viewTransform(), zoomed);
    typeIntoCell(w.grid(TableId::CSlipTable), 1, 2, "5000");
    QVERIFY(sketch->navigator().showsAll() && sketch->viewTransform() != zoomed);
    w.reject();
}

QTEST_MAIN(SketchLinkTest)
#include "SketchLinkTest.moc"
