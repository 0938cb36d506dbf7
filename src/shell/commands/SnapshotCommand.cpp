// Undo and redo swap whole-record snapshots: the record is fixed arrays, so a
// copy is cheap and exact, and no step needs to know which fields it touched.
#include "shell/commands/SnapshotCommand.h"

SnapshotCommand::SnapshotCommand(RecordEdits& owner, State before, State after, RecordPart part,
                                 const QString& text)
    : QUndoCommand(text),
      m_owner(owner),
      m_before(std::move(before)),
      m_after(std::move(after)),
      m_part(part) {}

void SnapshotCommand::undo() {
    m_owner.restore(m_before, m_part);
}

void SnapshotCommand::redo() {
    if (m_done) {
        m_done = false;
        return;
    }
    m_owner.restore(m_after, m_part);
}
