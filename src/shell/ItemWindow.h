// The item's window until the full calculation window stands in its place: the
// sketch of the item, its description "说明", "计算", which runs the item as
// the command line's calc does, and "返回". However it closes, the item's data
// file is written.
#pragma once

#include <QDialog>

class DrawingPreview;
class QLineEdit;
struct ProjectSession;

class ItemWindow : public QDialog {
    Q_OBJECT
  public:
    ItemWindow(ProjectSession& session, QWidget* parent = nullptr);

    // 1 when a calculation in the window succeeded.
    int calculated() const { return m_calculated; }

  private:
    void OnCalculate();
    void OnReturn();

    ProjectSession& m_session;
    DrawingPreview* m_sketch;
    QLineEdit* m_description;
    int m_calculated = 0;
};

// Runs the window for the session's item context: reads the item's data file
// unless the item is new, and writes it when the window closes (a message
// when it cannot). Returns true when a calculation succeeded.
bool RunItemWindow(ProjectSession& session, QWidget* parent);
