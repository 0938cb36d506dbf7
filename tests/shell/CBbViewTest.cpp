// The report view driven as a user drives it: reports loaded whatever their
// name, Chinese text files, directives expanded, go to line, the text saved
// whole, RTF written and read back. That the document the view holds writes
// the RTF talvor-cli writes is ReportTextDocumentTest's.
#include "support/ShellTestSupport.h"
#include "support/TestSupport.h"

#include "shell/CBbView.h"
#include "shell/Commands.h"

#include "render/ReportPages.h"
#include "render/ReportTextDocument.h"

#include "data/CSlideCalcData.h"
#include "diagrams/ThrustCurve.h"
#include "platform/Drawing.h"
#include "platform/ReportWriter.h"
#include "platform/TextEncoding.h"
#include "platform/WorkContext.h"

#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

namespace {

std::string file(const QTemporaryDir& dir, const char* name) {
    return dir.filePath(name).toStdString();
}

int pictures(const CBbView& view) {
    return static_cast<int>(view.toPlainText().count(QChar::ObjectReplacementCharacter));
}

// The worked example's sketch and thrust curve, as a calculation leaves them in dir.
void writeDrawings(const QTemporaryDir& dir) {
    CSlideCalcData item;
    std::unique_ptr<DXF> sketch = MakeSketchDrawing(item);
    QCOMPARE(sketch->Write_MemDxf_To_File(file(dir, "&TLVR_0001_TLVR_JT.DXF")), 1);
    QCOMPARE(MakeThrustCurveDrawing(item, *sketch)
                 ->Write_MemDxf_To_File(file(dir, "&TLVR_0001_TLVR_SYXHL.DXF")),
             1);
}

}  // namespace

class CBbViewTest : public QObject {
    Q_OBJECT
  private slots:
    void loadsByContentAndExpandsDirectives();
    void goesToLinesAndSavesTextAndRtfWhole();
};

void CBbViewTest::loadsByContentAndExpandsDirectives() {
    QTemporaryDir dir;
    CBbView view;
    // RTF under a text file's name loads as rich text.
    writeBytes(file(dir, "a.TXT"), "{\\rtf1\\ansi{\\colortbl ;\\red255\\green0\\blue0;}\\cf1 red}");
    QCOMPARE(view.LoadReport(dir.filePath("a.TXT")), 1);
    QCOMPARE(view.toPlainText(), QString("red"));
    QCOMPARE(view.document()->begin().begin().fragment().charFormat().foreground().color(),
             QColor(Qt::red));
    // GB2312 text loads as plain text with its Chinese; a missing file changes nothing.
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

void CBbViewTest::goesToLinesAndSavesTextAndRtfWhole() {
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

QTEST_MAIN(CBbViewTest)
#include "CBbViewTest.moc"
