// The list over the pile-kind page of the tables; the library is loaded anew
// each time it is opened, since the engineer may have edited it.
#include "shell/PileKindsDialog.h"

#include "shell/CPileLibraryDlg.h"

#include "data/CSlideCalcData.h"
#include "platform/WorkContext.h"
#include "project/CPileLibrary.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

PileKindsDialog::PileKindsDialog(CSlideCalcData& record, const WorkContext& ctx,
                                 TablePageWidget::EditRunner runEdit, TakeOver takeOver,
                                 QWidget* parent, CellFlags* flags)
    : QDialog(parent),
      m_record(record),
      m_ctx(ctx),
      m_takeOver(std::move(takeOver)),
      m_candidates(pileKindsPage(record) == TablePageId::KindList) {
    setWindowTitle(QStringLiteral("桩身参数"));
    m_page = new TablePageWidget(pileKindsPage(record), record, std::move(runEdit), this, flags);
    m_page->setHintsShown(ctx.G_Disp_TableTip != 0);
    auto* library = new QPushButton(QStringLiteral("从库中选择"), this);
    auto* ok = new QPushButton(QStringLiteral("确  认"), this);
    ok->setDefault(true);
    connect(library, &QPushButton::clicked, this, &PileKindsDialog::OnChooseFromLibrary);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(library);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_page, 1);
    layout->addLayout(buttons);
    resize(900, m_candidates ? 480 : 220);
}

void PileKindsDialog::OnChooseFromLibrary() {
    // A missing library file gives an empty list.
    CPileLibrary library;
    library.LoadPileLibrary(m_ctx);
    CPileLibraryDlg dialog(&library, m_ctx, this);
    if (dialog.exec() != QDialog::Accepted) return;
    m_takeOver(library, m_candidates);
}
