// The calculation window's two seams without the window. RecordEdits, its
// one way to change its record: which edits become steps and notices, undo
// and redo back to the record field for field, changes made beside the steps,
// and the reinforcement settings file put back byte for byte. TableModel, the
// one item model over the input tables: indices out of range or left over
// from more rows answer nothing and take nothing, locked cells refuse, rows
// and columns follow the table with the signals views need, and a flagged
// cell carries its warning in every role a user meets.
#include "shell/TableModel.h"
#include "shell/commands/RecordEdits.h"

#include "data/CSlideCalcData.h"
#include "platform/AtomicFile.h"
#include "platform/InputDiagnostics.h"
#include "platform/LineReader.h"
#include "rebar/RebarSettings.h"
#include "tables/CTableBase.h"
#include "tables/TablePage.h"

#include <QAction>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>

namespace {

// Slip segments as a spreadsheet copies them: dx and dy per line.
std::string segmentRows(int n) {
    std::string text;
    for (int i = 1; i <= n; ++i) text += std::to_string(i) + "\t-" + std::to_string(i) + "\n";
    return text;
}

// The record with its book part and its last results, which steps of the
// input leave alone.
CSlideCalcData opened() {
    CSlideCalcData r;
    r.setName("例题");
    r.residualThrust[3] = 12.5f;
    return r;
}

}  // namespace

class RecordEditsTest : public QObject {
    Q_OBJECT

    CSlideCalcData m_record;
    std::unique_ptr<CTablePage> m_page;
    std::unique_ptr<RecordEdits> m_edits;
    QList<RecordPart> m_notices;
    std::unique_ptr<TableModel> m_model;  // over the slip table, refreshed on every notice

    EditOutcome type(TableId table, int row, int col, const std::string& text) {
        return m_edits->editTable(*m_page, TableEdit::typed(table, row, col, text));
    }
    EditOutcome paste(int row, int col, const std::string& block) {
        return m_edits->editTable(*m_page, TableEdit::pasted(TableId::CSlipTable, row, col, block));
    }
    QVariant at(int row, int col, int role = Qt::DisplayRole) const {
        return m_model->index(row - 1, col - 1).data(role);
    }

  private slots:
    void init() {
        m_record = opened();
        m_page = std::make_unique<CTablePage>(TablePageId::Slip, m_record);
        m_edits = std::make_unique<RecordEdits>(m_record);
        m_notices.clear();
        connect(m_edits.get(), &RecordEdits::recordChanged, this,
                [this](RecordPart part) { m_notices << part; });
        m_model = std::make_unique<TableModel>(
            *m_page, *m_page->find(TableId::CSlipTable),
            [this](TableEdit e) { return m_edits->editTable(*m_page, std::move(e)); });
        connect(m_edits.get(), &RecordEdits::recordChanged, m_model.get(), &TableModel::refresh);
    }

    void onlyAnEditThatChangesTheRecordIsAStepAndANotice();
    void undoAndRedoPutBackTheRecordAndKeepTheBook();
    void changesBesideTheStepsAreKeptAndABlockedHistoryHolds();
    void rebarSettingsFileComesBackByteForByte();
    void indicesOutOfRangeAnswerNothingAndTakeNothing();
    void lockedCellsRefuseAndCountsMoveRowsAndColumns();
    void aFlaggedCellShowsItsWarningInEveryRole();
};

void RecordEditsTest::onlyAnEditThatChangesTheRecordIsAStepAndANotice() {
    using S = TableId;
    const struct {
        const char* what;
        std::function<EditOutcome()> edit;
        EditOutcome outcome;
    } cases[] = {
        {"cohesion typed", [&] { return type(S::CSlipTable, 3, 6, "12.75"); },
         EditOutcome::Changed},
        {"the same again", [&] { return type(S::CSlipTable, 3, 6, "12.750"); },
         EditOutcome::Unchanged},
        {"a computed column", [&] { return type(S::CSlipTable, 1, 4, "3"); }, EditOutcome::Refused},
        {"below the list", [&] { return type(S::CSlipTable, 7, 2, "3"); }, EditOutcome::Refused},
        {"row and column 0", [&] { return type(S::CSlipTable, 0, 0, "3"); }, EditOutcome::Refused},
        {"negative cell", [&] { return type(S::CSlipTable, -1, -5, "3"); }, EditOutcome::Refused},
        {"past the columns", [&] { return type(S::CSlipTable, 1, 99, "3"); }, EditOutcome::Refused},
        {"a hostile text", [&] { return type(S::CSlipTable, 2, 6, std::string(100000, '9')); },
         EditOutcome::Changed},
        {"the count raised", [&] { return type(S::CSlipCountTable, 1, 2, "8"); },
         EditOutcome::Changed},
        // A block of typing, 40 cells and a count, is one step and one notice.
        {"20 rows pasted", [&] { return paste(1, 2, segmentRows(20)); }, EditOutcome::Changed},
        {"the same block", [&] { return paste(1, 2, segmentRows(20)); }, EditOutcome::Unchanged},
        {"an empty block", [&] { return paste(101, 2, ""); }, EditOutcome::Refused},
        // Nothing placed, but the count raised to its limit on the way.
        {"a block past the longest list raising the count",
         [&] { return paste(101, 2, segmentRows(2)); }, EditOutcome::Changed},
    };
    int steps = 0;
    for (const auto& c : cases) {
        const CSlideCalcData before = m_record;
        QVERIFY2(c.edit() == c.outcome, c.what);
        const bool changed = c.outcome == EditOutcome::Changed;
        steps += changed ? 1 : 0;
        QVERIFY2(m_edits->steps() == steps, c.what);
        QVERIFY2(m_notices.size() == steps, c.what);
        QVERIFY2((m_record == before) == !changed, c.what);
    }
    QCOMPARE(m_record.slipCount, 100);
    QCOMPARE(m_record.slip[19].dy, -20.0f);
    QVERIFY(m_notices.count(RecordPart::Input) == steps);
}

void RecordEditsTest::undoAndRedoPutBackTheRecordAndKeepTheBook() {
    QAction* undo = m_edits->makeUndoAction(this);
    QAction* redo = m_edits->makeRedoAction(this);
    QVERIFY(!undo->isEnabled() && !redo->isEnabled());
    QCOMPARE(type(TableId::CSlipTable, 3, 6, "12.75"), EditOutcome::Changed);
    QCOMPARE(undo->statusTip(), QString("滑面线第3行第6列输入“12.75”"));
    const CSlideCalcData typed = m_record;
    QCOMPARE(paste(1, 2, segmentRows(20)), EditOutcome::Changed);
    CSlideCalcData read;  // a data file read replaces the whole record
    read.setName("外来算例");
    read.slopeLength = 321.0f;
    QVERIFY(m_edits->changeRecord("读入数据文件", RecordPart::Whole,
                                  [&](CSlideCalcData& r) { r = read; }));
    QVERIFY(!m_edits->changeRecord("读入数据文件", RecordPart::Whole,
                                   [&](CSlideCalcData& r) { r = read; }));
    const CSlideCalcData edited = m_record;
    QCOMPARE(m_edits->steps(), 3);

    undo->trigger();
    QCOMPARE(m_record.name(), std::string("例题"));  // the whole record came back
    undo->trigger();
    QVERIFY(m_record == typed);
    undo->trigger();
    QVERIFY(m_record == opened());
    QVERIFY(!undo->isEnabled() && redo->isEnabled());
    QCOMPARE(m_notices,
             (QList<RecordPart>{RecordPart::Input, RecordPart::Input, RecordPart::Whole,
                                RecordPart::Whole, RecordPart::Input, RecordPart::Input}));
    for (int i = 0; i < 3; ++i) redo->trigger();
    QVERIFY(m_record == edited);
    QVERIFY(!redo->isEnabled());

    // A new edit after an undo drops the steps that were undone.
    undo->trigger();
    QCOMPARE(type(TableId::CSlipTable, 1, 7, "33"), EditOutcome::Changed);
    QVERIFY(!m_edits->canRedo());
    QCOMPARE(m_edits->steps(), 3);
}

void RecordEditsTest::changesBesideTheStepsAreKeptAndABlockedHistoryHolds() {
    QCOMPARE(type(TableId::CSlipTable, 3, 6, "12.75"), EditOutcome::Changed);
    // The description typed and the results of a calculation are no steps.
    m_record.setName("改过的说明");
    m_record.residualThrust[3] = 99.0f;
    QCOMPARE(type(TableId::CSlipTable, 3, 7, "21"), EditOutcome::Changed);
    m_edits->undo();
    m_edits->undo();
    QCOMPARE(m_record.slip[2].c, opened().slip[2].c);
    QCOMPARE(m_record.name(), std::string("改过的说明"));
    QCOMPARE(m_record.residualThrust[3], 99.0f);

    // While a calculation holds the record, undo and redo do nothing.
    m_edits->setBlocked(true);
    m_edits->redo();
    QCOMPARE(m_record.slip[2].c, opened().slip[2].c);
    m_edits->setBlocked(false);
    m_edits->redo();
    QCOMPARE(m_record.slip[2].c, 12.75f);
}

// Steps of the file beside the data file: undo puts back the file as it was,
// a damaged one exactly, or removes it when there was none.
void RecordEditsTest::rebarSettingsFileComesBackByteForByte() {
    QTemporaryDir dir;
    const std::string path = dir.filePath("&TLVR_0001.PJ").toStdString();
    auto onDisk = [&] {
        InputDiagnostics d;
        return ReadRebarSettings(path, d);
    };
    RebarSettings cover75, hrb500;
    QVERIFY(SetRebarSetting(cover75, "cover", "75", nullptr));
    hrb500 = cover75;
    QVERIFY(SetRebarSetting(hrb500, "bar", "HRB500", nullptr));

    QVERIFY(m_edits->changeRebarSettings(path, cover75));
    QVERIFY(!m_edits->changeRebarSettings(path, cover75));  // the same: no step
    QVERIFY(m_edits->changeRebarSettings(path, hrb500));
    QCOMPARE(m_edits->steps(), 2);
    m_edits->undo();
    QVERIFY(onDisk() == cover75);
    m_edits->undo();
    QVERIFY(!std::filesystem::exists(path));
    m_edits->redo();
    m_edits->redo();
    QVERIFY(onDisk() == hrb500);

    const std::string damaged = "cover=abc\nfoo\n";
    QVERIFY(writeFileAtomically(path, damaged));
    QVERIFY(m_edits->changeRebarSettings(path, RebarSettings{}));
    m_edits->undo();
    QCOMPARE(readFileBytes(path).value_or(""), damaged);
    QVERIFY(m_notices.isEmpty());  // the record never changed
}

void RecordEditsTest::indicesOutOfRangeAnswerNothingAndTakeNothing() {
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

void RecordEditsTest::lockedCellsRefuseAndCountsMoveRowsAndColumns() {
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
    QCOMPARE(m_model->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
             QString("终点X\n(m)"));
    QCOMPARE(m_model->headerData(1, Qt::Horizontal, Qt::AccessibleTextRole).toString(),
             QString("终点X(m)"));
}

void RecordEditsTest::aFlaggedCellShowsItsWarningInEveryRole() {
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

QTEST_MAIN(RecordEditsTest)
#include "RecordEditsTest.moc"
