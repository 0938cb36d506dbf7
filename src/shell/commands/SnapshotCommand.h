// One step of the calculation window's history: the record before and after,
// shared with the neighbouring steps. Private to the edit facade.
#pragma once

#include "shell/commands/RecordEdits.h"

#include <QUndoCommand>

class SnapshotCommand : public QUndoCommand {
  public:
    using State = std::shared_ptr<const CSlideCalcData>;

    // The change is already made when the step is pushed: the first redo()
    // (the stack's, on push) does nothing.
    SnapshotCommand(RecordEdits& owner, State before, State after, RecordPart part,
                    const QString& text);

    void undo() override;
    void redo() override;

  private:
    RecordEdits& m_owner;
    State m_before;
    State m_after;
    RecordPart m_part;
    bool m_done = true;
};
