// The pile library dialog driven as a user drives it: rows picked with the
// mouse, "确认", and "编辑试验资料库" with editors that append, never start or
// never end. Taking kinds over is CPileLibraryTest's; "从库中选择" is reached
// from the calculation window in CalcWindowTest.
#include "support/ShellTestSupport.h"

#include "shell/CPileLibraryDlg.h"

#include "platform/TextEncoding.h"
#include "platform/WorkContext.h"
#include "project/CPileLibrary.h"

#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace {

// Clicks the rows with the mouse, Ctrl held after the first.
void pickRows(QTableWidget* list, std::initializer_list<int> rows) {
    bool first = true;
    for (int row : rows) {
        list->scrollToItem(list->item(row, 1));
        QRect r = list->visualItemRect(list->item(row, 1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton,
                          first ? Qt::NoModifier : Qt::ControlModifier, r.center());
        first = false;
    }
}

QStringList rowTexts(QTableWidget* list, int row) {
    QStringList out;
    for (int c = 0; c < list->columnCount(); ++c) out << list->item(row, c)->text();
    return out;
}

// A shell script standing in for the user's editor.
QString script(const QString& dir, const QString& name, const QByteArray& body) {
    QString path = dir + "/" + name;
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write("#!/bin/sh\n" + body + "\n");
    f.close();
    f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
    return path;
}

}  // namespace

class PileLibraryTest : public QObject {
    Q_OBJECT

    ShellPlace m_place;
    ShellSinks m_sinks;
    WorkContext m_ctx;

  private slots:
    void init() {
        m_ctx = WorkContext{};
        m_ctx.G_strExePath = m_place.programDir.toStdString();
        m_ctx.messages = &m_sinks;
        m_sinks.lines.clear();
        qunsetenv("VISUAL");
        qunsetenv("EDITOR");
    }

    void shippedLibraryListedAndPickedRowsMarked();
    void editorAppendingAnEntryShowsItAfterItCloses();
    void editorsThatNeverStartOrNeverEnd();
};

void PileLibraryTest::shippedLibraryListedAndPickedRowsMarked() {
    CPileLibrary library;
    QCOMPARE(library.LoadPileLibrary(m_ctx), 1);
    CPileLibraryDlg dialog(&library, m_ctx);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTableWidget* list = dialog.list();
    QCOMPARE(list->rowCount(), static_cast<int>(library.entries.size()));
    QCOMPARE(list->horizontalHeaderItem(4)->text(), QString("规格/桩径m"));
    QCOMPARE(rowTexts(list, 2), QStringList({"3", "3", "Z3", "钢轨", "43.0kg/m", "3.00", "2.50",
                                             "硬塑粘土", "平地", "80.00", "75.00"}));

    click(&dialog, "确认");  // nothing picked yet
    QCOMPARE(m_sinks.lines, QStringList({"请用鼠标选择至少一根桩 !"}));
    QVERIFY(dialog.isVisible());

    pickRows(list, {0, 2, 5});
    click(&dialog, "确认");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    for (int i = 0; i < static_cast<int>(library.entries.size()); ++i)
        QCOMPARE(library.entries[i].selected, int(i == 0 || i == 2 || i == 5));
}

void PileLibraryTest::editorAppendingAnEntryShowsItAfterItCloses() {
    QTemporaryDir dir;
    std::string entry = utf8ToGbk("10,10,Z10,钢轨,38,2.8,2.0,砂土,平地,60,55");
    qputenv("VISUAL",
            script(dir.path(), "append.sh",
                   "sleep 0.3\nprintf '%s\\n' '" + QByteArray::fromStdString(entry) + "' >> \"$1\"")
                .toLocal8Bit());
    CPileLibrary library;
    library.LoadPileLibrary(m_ctx);
    const int before = static_cast<int>(library.entries.size());
    CPileLibraryDlg dialog(&library, m_ctx);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    click(&dialog, "编辑试验资料库");
    QVERIFY(!dialog.editButton()->isEnabled());  // while the editor runs
    QTRY_COMPARE_WITH_TIMEOUT(dialog.list()->rowCount(), before + 1, 300000);
    QTRY_VERIFY_WITH_TIMEOUT(dialog.editButton()->isEnabled(), 300000);
    QCOMPARE(rowTexts(dialog.list(), before).mid(1, 4),
             QStringList({"10", "Z10", "钢轨", "38.0kg/m"}));
}

void PileLibraryTest::editorsThatNeverStartOrNeverEnd() {
    CPileLibrary library;
    library.LoadPileLibrary(m_ctx);
    const int entries = static_cast<int>(library.entries.size());
    qputenv("VISUAL", "/nonexistent/editor --wait");
    {
        CPileLibraryDlg dialog(&library, m_ctx);
        dialog.show();
        click(&dialog, "编辑试验资料库");
        QVERIFY(dialog.note()->isVisible());
        QVERIFY(dialog.note()->text().contains("无法启动"));
        QVERIFY(dialog.editButton()->isEnabled());
        QCOMPARE(dialog.list()->rowCount(), entries);
    }

    // An editor left open: the dialog still answers, and closing it leaves
    // the editor running.
    QTemporaryDir dir;
    qputenv("VISUAL", script(dir.path(), "forever.sh", "exec sleep 60").toLocal8Bit());
    CPileLibraryDlg dialog(&library, m_ctx);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    click(&dialog, "编辑试验资料库");
    QVERIFY(!dialog.editButton()->isEnabled());
    pickRows(dialog.list(), {1});
    click(&dialog, "确认");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(library.entries[1].selected, 1);
    QList<QProcess*> editors = qApp->findChildren<QProcess*>();
    QCOMPARE(editors.size(), 1);
    QCOMPARE(editors[0]->state(), QProcess::Running);
    editors[0]->kill();
    editors[0]->waitForFinished();
}

QTEST_MAIN(PileLibraryTest)
#include "PileLibraryTest.moc"
