// The one item model over the input tables, without a window: indices out of
// range or left over from more rows answer nothing and take nothing, locked
// cells refuse, rows and columns follow the table with the signals views
// need, and a flagged cell carries its warning in every role a user meets.
#include "shell/TableModel.h"

#include "data/CSlideCalcData.h"
#include "tables/CTableBase.h"
#include "tables/TablePage.h"

#include <QSignalSpy>
#include <QTest>

class TableModelTest : public QObject {
    Q_OBJECT

    CSlideCalcData m_record;
    std::unique_ptr<CTablePage> m_page;
    std::unique_ptr<RecordEdits> m_edits;
    std::unique_ptr<TableModel> m_model;

    // The model over the slip table, its edits through the undo history and
    // its refresh on every notice, as the calculation window wires it.
    void makeModel() {
        m_page = std::make_unique<CTablePage>(TablePageId::Slip, m_record);
        m_edits = std::make_unique<RecordEdits>(m_record);
        m_model = std::make_unique<TableModel>(
            *m_page, *m_page->find(TableId::CSlipTable),
            [this](TableEdit e) { return m_edits->editTable(*m_page, std::move(e)); });
        connect(m_edits.get(), &RecordEdits::recordChanged, m_model.get(), &TableModel::refresh);
    }
    QVariant at(int row, int col, int role = Qt::DisplayRole) const {
        return m_model->index(row - 1, col - 1).data(role);
    }

  private slots:
    void init() {
        m_record = CSlideCalcData{};
        makeModel();
    }

    void indicesOutOfRangeAnswerNothingAndTakeNothing();
    void lockedCellsRefuseAndCountsMoveRowsAndColumns();
    void aFlaggedCellShowsItsWarningInEveryRole();
};

void TableModelTest::indicesOutOfRangeAnswerNothingAndTakeNothing() {
    QCOMPARE(m_model->rowCount(), 6);
    QCOMPARE(m_model->columnCount(), 7);
    QCOMPARE(m_model->rowCount(m_model->index(0, 0)), 0);  // a table has no children
    const QModelIndex sixth = m_model->index(5, 1);
    QVERIFY(sixth.data().isValid());

    // Two segments: an index kept from six rows points past the list.
    m_record.slipCount = 2;
    m_model->refresh();
    QCOMPARE(m_model->rowCount(), 2);
    const CSlideCalcData before = m_record;
    QVERIFY(!sixth.data().isValid());
    QVERIFY(!(m_model->flags(sixth) & Qt::ItemIsEditable));
    QVERIFY(!m_model->setData(sixth, "5", Qt::EditRole));
    QVERIFY(!m_model->setData(QModelIndex(), "5", Qt::EditRole));
    QVERIFY(!m_model->setData(m_model->index(0, 1), "5", Qt::DisplayRole));
    const std::pair<int, int> cells[] = {{3, 2}, {0, 2}, {-1, 2}, {1, 0}, {1, 1}, {1, 8}, {1, -3}};
    for (auto [row, col] : cells) QCOMPARE(m_model->typeText(row, col, "5"), EditOutcome::Refused);
    QVERIFY(m_record == before);
    QCOMPARE(m_edits->steps(), 0);
    QVERIFY(!QModelIndex().data().isValid());
    QCOMPARE(m_model->flags(QModelIndex()), Qt::NoItemFlags);
    QCOMPARE(m_model->headerData(99, Qt::Horizontal, Qt::DisplayRole).toString(), QString());
}

void TableModelTest::lockedCellsRefuseAndCountsMoveRowsAndColumns() {
    // The length column is computed from dx and dy: shown grey, never typed into.
    const QModelIndex length = m_model->index(0, 3);
    QVERIFY(length.data(TableModel::kLockedRole).toBool());
    QVERIFY(!(m_model->flags(length) & Qt::ItemIsEditable));
    QVERIFY(length.data(Qt::BackgroundRole).isValid());
    QVERIFY(!m_model->setData(length, "3", Qt::EditRole));
    QVERIFY(m_model->flags(m_model->index(0, 1)) & Qt::ItemIsEditable);
    QCOMPARE(m_edits->steps(), 0);

    QSignalSpy inserted(m_model.get(), &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(m_model.get(), &QAbstractItemModel::rowsRemoved);
    QCOMPARE(m_model->pasteText(1, 2, "1\t-1\n2\t-2\n3\t-3\n4\t-4\n5\t-5\n6\t-6\n7\t-7\n8\t-8\n"),
             EditOutcome::Changed);
    QCOMPARE(m_model->rowCount(), 8);
    QCOMPARE(inserted.size(), 1);
    QCOMPARE(inserted[0][1].toInt(), 6);
    QCOMPARE(inserted[0][2].toInt(), 7);
    QCOMPARE(at(8, 3).toString(), QString("-8.000"));
    m_edits->undo();
    QCOMPARE(m_model->rowCount(), 6);
    QCOMPARE(removed.size(), 1);

    // The points of the section: two more columns, their titles announced.
    QSignalSpy columns(m_model.get(), &QAbstractItemModel::columnsInserted);
    QSignalSpy titles(m_model.get(), &QAbstractItemModel::headerDataChanged);
    m_page->setPointsShown(true);
    m_model->refresh();
    QCOMPARE(m_model->columnCount(), 9);
    QCOMPARE(columns.size(), 1);
    QCOMPARE(titles.size(), 1);
    QCOMPARE(m_model->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QString("终点X\n(m)"));
    QCOMPARE(m_model->headerData(1, Qt::Horizontal, Qt::AccessibleTextRole).toString(),
             QString("终点X(m)"));
}

void TableModelTest::aFlaggedCellShowsItsWarningInEveryRole() {
    m_record.slip[2].c = 0.0f;
    m_model->refresh();
    // "abc" reads as the 0 there already: no change, and flagged all the same.
    QCOMPARE(m_model->typeText(3, 6, "abc"), EditOutcome::Unchanged);
    const QString flag = "“abc” 不是数, 读作 0";
    QCOMPARE(at(3, 6, TableModel::kWarningRole).toString(), flag);
    QCOMPARE(at(3, 6, Qt::ToolTipRole).toString(), flag);
    QVERIFY(at(3, 6, TableModel::kHintRole).toString().startsWith(flag));
    QVERIFY(at(3, 6, TableModel::kHintRole).toString().endsWith("单位: kPa"));
    QCOMPARE(at(3, 6, Qt::AccessibleDescriptionRole).toString(), "单位: kPa; " + flag);
    QVERIFY(at(3, 6, Qt::BackgroundRole).isValid());
    QVERIFY(at(3, 6, Qt::ForegroundRole).isValid());

    QCOMPARE(m_model->typeText(2, 7, "95"), EditOutcome::Changed);
    QVERIFY(at(2, 7, TableModel::kWarningRole).toString().contains("应在 0~90 度之间"));
    QCOMPARE(m_model->typeText(3, 6, "10"), EditOutcome::Changed);
    QCOMPARE(at(3, 6, TableModel::kWarningRole).toString(), QString());
    QVERIFY(!at(3, 6, Qt::ToolTipRole).isValid());
    QCOMPARE(at(3, 6, Qt::AccessibleDescriptionRole).toString(), QString("单位: kPa"));
    QVERIFY(!at(3, 6, Qt::BackgroundRole).isValid());
}

QTEST_MAIN(TableModelTest)
#include "TableModelTest.moc"
