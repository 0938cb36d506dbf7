// The project summary window as a user meets it: opened from the menu on a
// project of two items, its figures those of the core's table, sorted by a
// click on a column title, cells copied and the CSV table saved.
#include "support/ShellTestSupport.h"

#include "shell/Commands.h"
#include "shell/SummaryWindow.h"

#include "data/CSlideCalcData.h"
#include "platform/WorkContext.h"
#include "project/CProjectData.h"
#include "run/SummaryTable.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QHeaderView>
#include <QTableView>
#include <QTest>

class SummaryWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void showsSortsCopiesAndExportsTheSummary();
};

namespace {

// The worked example twice, the second item with weaker soil.
std::vector<SummaryItem> writeProject(const ShellPlace& place, WorkContext& ctx) {
    QDir().mkpath(place.projectDir);
    ctx.G_strWorkPath = withTrailingSlash(place.projectDir.toStdString());
    CProjectData project;
    project.IncludeKind(0);
    std::vector<SummaryItem> items;
    for (int i = 0; i < 2; ++i) {
        const int number = project.AddItem(0);
        CSlideCalcData item;
        item.setName(i == 0 ? "K12+300 左侧滑坡" : "K12+300 右侧滑坡");
        if (i == 1) item.SetAllPhi(8.0f);
        item.WriteDataFile(ctx.G_strWorkPath + ItemFileBase(number) + ".dat");
        items.push_back({number, ItemFileBase(number)});
    }
    project.SaveProject(ctx);
    return items;
}

QString shown(QTableView* t, int row, int col) {
    return t->model()->index(row, col).data().toString();
}

}  // namespace

void SummaryWindowTest::showsSortsCopiesAndExportsTheSummary() {
    ShellPlace place;
    WorkContext ctx;
    const std::vector<SummaryItem> items = writeProject(place, ctx);
    auto frame = startFrame(place.options(true));
    QAction* entry = frame->action(cmd::ProjectSummary);
    QVERIFY(entry->isEnabled());
    entry->trigger();
    auto* window = frame->findChild<SummaryWindow*>();
    QVERIFY(window);
    QTableView* table = window->table();

    const std::vector<SummaryRow> expected = SummarizeProject(frame->session().ctx, items, 1);
    const std::vector<std::string> cells = SummaryCells(expected[1]);
    QCOMPARE(table->model()->rowCount(), 2);
    QCOMPARE(table->model()->columnCount(), static_cast<int>(cells.size()));
    const int fs = 6;  // 稳定系数Fs
    QCOMPARE(table->model()->headerData(fs, Qt::Horizontal).toString(), "稳定系数Fs(隐式解)");
    QVERIFY(!cells[fs].empty());
    QCOMPARE(shown(table, 1, fs), QString::fromStdString(cells[fs]));
    // Figures stand on the right of their cells, words on the left.
    auto aligned = [&](int column) {
        return table->model()->index(1, column).data(Qt::TextAlignmentRole).value<Qt::Alignment>() &
               Qt::AlignHorizontal_Mask;
    };
    QCOMPARE(aligned(fs), Qt::AlignRight);
    QCOMPARE(aligned(0), Qt::AlignRight);  // the item number
    QCOMPARE(aligned(1), Qt::AlignLeft);   // the description

    // A click on the title sorts ascending, by value: the weaker item first.
    const bool secondWeaker = QString::fromStdString(expected[1].fs).toDouble() <
                              QString::fromStdString(expected[0].fs).toDouble();
    QTest::mouseClick(table->horizontalHeader()->viewport(), Qt::LeftButton, {},
                      QPoint(table->horizontalHeader()->sectionViewportPosition(fs) + 5, 5));
    QCOMPARE(shown(table, 0, 0), QString::number(expected[secondWeaker ? 1 : 0].number));
    QVERIFY(secondWeaker);

    table->setFocus();
    table->selectionModel()->select(
        QItemSelection(table->model()->index(0, 0), table->model()->index(1, 1)),
        QItemSelectionModel::Select);
    QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), shown(table, 0, 0) + "\t" + shown(table, 0, 1) +
                                                    "\n" + shown(table, 1, 0) + "\t" +
                                                    shown(table, 1, 1));

    const QString csv = place.projectFile("汇总.csv");
    QVERIFY(window->exportCsv(csv));
    QCOMPARE(fileBytes(csv), QByteArray::fromStdString(SummaryCsv(expected)));
    QVERIFY(!window->exportCsv(place.projectFile("no/such/dir/汇总.csv")));
}

QTEST_MAIN(SummaryWindowTest)
#include "SummaryWindowTest.moc"
