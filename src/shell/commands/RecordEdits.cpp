// Edits are made first and pushed only when the record changed, so that an
// edit that changes nothing leaves no step behind.
#include "shell/commands/RecordEdits.h"

#include "shell/commands/RebarSettingsCommand.h"
#include "shell/commands/SnapshotCommand.h"

#include "data/CSlideCalcData.h"
#include "platform/InputDiagnostics.h"
#include "platform/LineReader.h"
#include "rebar/RebarSettings.h"
#include "tables/CTableBase.h"
#include "tables/TableCaption.h"
#include "tables/TablePage.h"

#include <QAction>
#include <QUndoStack>

#include <filesystem>
#include <optional>

namespace {

QString stepName(const TableEdit& edit) {
    QString table = QString::fromUtf8(tableCaption(edit.table()));
    if (edit.isBlock())
        return QStringLiteral("粘贴到%1第%2行第%3列").arg(table).arg(edit.row()).arg(edit.col());
    return QStringLiteral("%1第%2行第%3列输入“%4”")
        .arg(table)
        .arg(edit.row())
        .arg(edit.col())
        .arg(QString::fromStdString(edit.text()).left(40));
}

}  // namespace

RecordEdits::RecordEdits(CSlideCalcData& record, QObject* parent)
    : QObject(parent), m_record(record), m_stack(std::make_unique<QUndoStack>()) {}

RecordEdits::~RecordEdits() = default;

std::shared_ptr<const CSlideCalcData> RecordEdits::snapshot() {
    // A change made outside the steps (a description taken, results of a
    // failed calculation) makes the last copy stale: copy again.
    if (!m_last || !(*m_last == m_record))
        m_last = std::make_shared<const CSlideCalcData>(m_record);
    return m_last;
}

void RecordEdits::push(std::shared_ptr<const CSlideCalcData> before, RecordPart part,
                       const QString& text) {
    m_last = std::make_shared<const CSlideCalcData>(m_record);
    m_stack->push(new SnapshotCommand(*this, std::move(before), m_last, part, text));
    emit recordChanged(part);
}

// The copy of the record before the edit is the one the last step already
// holds: an edit copies the record once, for its own "after".
EditOutcome RecordEdits::editTable(CTablePage& page, TableEdit edit) {
    std::shared_ptr<const CSlideCalcData> before = snapshot();
    const EditOutcome outcome = edit.apply(page, *before);
    if (outcome != EditOutcome::Changed) return outcome;
    push(std::move(before), RecordPart::Input, stepName(edit));
    return EditOutcome::Changed;
}

bool RecordEdits::changeRecord(const QString& text, RecordPart part,
                               const std::function<void(CSlideCalcData&)>& change) {
    std::shared_ptr<const CSlideCalcData> before = snapshot();
    change(m_record);
    if (*before == m_record) return false;
    push(std::move(before), part, text);
    return true;
}

bool RecordEdits::changeRebarSettings(const std::string& path, const RebarSettings& after) {
    std::error_code ec;
    std::optional<std::string> before;
    if (std::filesystem::exists(path, ec)) {
        before = readFileBytes(path);
        if (!before) return false;
        InputDiagnostics diagnostics;
        // A damaged file differs from what it reads as: rewriting it is a change.
        if (ReadRebarSettings(path, diagnostics) == after && diagnostics.empty()) return false;
    }
    if (!WriteRebarSettings(path, after)) return false;
    m_stack->push(new RebarSettingsCommand(path, std::move(before), after));
    return true;
}

void RecordEdits::restore(const std::shared_ptr<const CSlideCalcData>& state, RecordPart part) {
    if (part == RecordPart::Whole)
        m_record = *state;
    else
        restoreInput(m_record, *state);
    m_last = state;
    emit recordChanged(part);
}

void RecordEdits::undo() {
    if (!m_blocked) m_stack->undo();
}

void RecordEdits::redo() {
    if (!m_blocked) m_stack->redo();
}

bool RecordEdits::canUndo() const {
    return m_stack->canUndo();
}

bool RecordEdits::canRedo() const {
    return m_stack->canRedo();
}

int RecordEdits::steps() const {
    return m_stack->count();
}

QAction* RecordEdits::makeUndoAction(QObject* parent) {
    auto* a = new QAction(QStringLiteral("撤销"), parent);
    a->setShortcuts({QKeySequence::Undo, QKeySequence(Qt::ALT | Qt::Key_Backspace)});
    a->setEnabled(canUndo());
    connect(m_stack.get(), &QUndoStack::canUndoChanged, a, &QAction::setEnabled);
    connect(m_stack.get(), &QUndoStack::undoTextChanged, a, &QAction::setStatusTip);
    connect(a, &QAction::triggered, this, &RecordEdits::undo);
    return a;
}

QAction* RecordEdits::makeRedoAction(QObject* parent) {
    auto* a = new QAction(QStringLiteral("重做"), parent);
    a->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    a->setEnabled(canRedo());
    connect(m_stack.get(), &QUndoStack::canRedoChanged, a, &QAction::setEnabled);
    connect(m_stack.get(), &QUndoStack::redoTextChanged, a, &QAction::setStatusTip);
    connect(a, &QAction::triggered, this, &RecordEdits::redo);
    return a;
}
