// The pile-kind list of "桩身参数": for the auto-design of piles the candidate
// kinds with their count, in every other mode the one pile kind; each with
// "从库中选择", which opens the pile library and takes the tests chosen there
// over as kinds (appended to the candidates, or replacing the one kind).
#pragma once

#include "shell/TablePageWidget.h"

#include <QDialog>

#include <functional>

class CPileLibrary;
struct WorkContext;

class PileKindsDialog : public QDialog {
    Q_OBJECT
  public:
    // Takes the library's marked entries over into the record (the owner's
    // one place for edits, so that it can be undone; the owner's notice of
    // the changed record refreshes the list).
    using TakeOver = std::function<void(const CPileLibrary& library, bool asCandidates)>;

    PileKindsDialog(CSlideCalcData& record, const WorkContext& ctx,
                    TablePageWidget::EditRunner runEdit, TakeOver takeOver,
                    QWidget* parent = nullptr, CellFlags* flags = nullptr);

    TablePageWidget* page() const { return m_page; }
    // "从库中选择".
    void OnChooseFromLibrary();

  private:
    CSlideCalcData& m_record;
    const WorkContext& m_ctx;
    TakeOver m_takeOver;
    bool m_candidates;
    TablePageWidget* m_page;
};
