// The one way the calculation window changes its record, so that every
// change can be undone and redone: cells typed, pasted or cleared through
// their table, and changes of many fields at once (pile kinds taken from the
// library, a data file read, a DXF import), and the reinforcement settings
// kept beside the item's data file. Each change that leaves the
// record different is one step; a change that changes nothing is none.
// Every change, undo and redo of the record ends in one notice,
// recordChanged, that the views refresh on. The steps themselves are private
// to this folder.
#pragma once

#include "tables/TableEdit.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <string>

class CSlideCalcData;
class CTablePage;
struct RebarSettings;
class QAction;
class QUndoStack;

// What a change or a step touched.
enum class RecordPart {
    Input,  // the input; the description, result names and results stay
    Whole,  // everything the record holds (a data file read replaces it all)
};

class RecordEdits : public QObject {
    Q_OBJECT
  public:
    explicit RecordEdits(CSlideCalcData& record, QObject* parent = nullptr);
    ~RecordEdits() override;

    // Applies the edit through the page's table as typing does.
    EditOutcome editTable(CTablePage& page, TableEdit edit);
    // Runs `change` on the record; a step named `text` when the record
    // differs afterwards. True when it did.
    bool changeRecord(const QString& text, RecordPart part,
                      const std::function<void(CSlideCalcData&)>& change);

    // Writes the item's reinforcement settings to the file at path; a step
    // when they differ from what the file held (or there was no file). False
    // when nothing changed or the file could not be written.
    bool changeRebarSettings(const std::string& path, const RebarSettings& after);

    void undo();
    void redo();
    bool canUndo() const;
    bool canRedo() const;
    int steps() const;  // undone ones included
    // While set (a calculation runs), undo and redo do nothing.
    void setBlocked(bool blocked) { m_blocked = blocked; }

    // "撤销" (Ctrl+Z, Alt+Backspace) and "重做" (Ctrl+Y, Ctrl+Shift+Z),
    // enabled while there is a step to take; the step's name is the status tip.
    QAction* makeUndoAction(QObject* parent);
    QAction* makeRedoAction(QObject* parent);

  signals:
    // The record changed: an edit, a change, an undo or a redo. Views re-read
    // `part` of it (the description too when it is Whole).
    void recordChanged(RecordPart part);

  private:
    std::shared_ptr<const CSlideCalcData> snapshot();
    // Pushes the step from `before` to the record as it is now, and tells.
    void push(std::shared_ptr<const CSlideCalcData> before, RecordPart part, const QString& text);
    void restore(const std::shared_ptr<const CSlideCalcData>& state, RecordPart part);

    friend class SnapshotCommand;

    CSlideCalcData& m_record;
    std::unique_ptr<QUndoStack> m_stack;
    // The record after the last step, shared with that step, so that a run of
    // steps holds one copy of the record each.
    std::shared_ptr<const CSlideCalcData> m_last;
    bool m_blocked = false;
};
