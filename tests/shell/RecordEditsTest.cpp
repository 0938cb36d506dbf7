// The calculation window's one way to change its record, without the window:
// which edits become steps and notices, undo and redo back to the record
// field for field, changes made beside the steps, and the reinforcement
// settings file put back byte for byte.
#include "shell/commands/RecordEdits.h"

#include "data/CSlideCalcData.h"
#include "platform/AtomicFile.h"
#include "platform/InputDiagnostics.h"
#include "platform/LineReader.h"
#include "rebar/RebarSettings.h"
#include "tables/TablePage.h"

#include <QAction>
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

    EditOutcome type(TableId table, int row, int col, const std::string& text) {
        return m_edits->editTable(*m_page, TableEdit::typed(table, row, col, text));
    }
    EditOutcome paste(int row, int col, const std::string& block) {
        return m_edits->editTable(*m_page, TableEdit::pasted(TableId::CSlipTable, row, col, block));
    }

  private slots:
    void init() {
        m_record = opened();
        m_page = std::make_unique<CTablePage>(TablePageId::Slip, m_record);
        m_edits = std::make_unique<RecordEdits>(m_record);
        m_notices.clear();
        connect(m_edits.get(), &RecordEdits::recordChanged, this,
                [this](RecordPart part) { m_notices << part; });
    }

    void onlyAnEditThatChangesTheRecordIsAStepAndANotice();
    void undoAndRedoPutBackTheRecordAndKeepTheBook();
    void changesBesideTheStepsAreKeptAndABlockedHistoryHolds();
    void rebarSettingsFileComesBackByteForByte();
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

QTEST_MAIN(RecordEditsTest)
#include "RecordEditsTest.moc"
