// The list is a table widget with grid lines and whole-row selection; the
// texts and column layout are the library's own (CPileLibrary.h).
#include "shell/CPileLibraryDlg.h"

#include "shell/GuiMessageSink.h"
#include "shell/TextEditor.h"

#include "platform/WorkContext.h"
#include "project/CPileLibrary.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

Qt::Alignment alignmentOf(ColumnAlign a) {
    switch (a) {
        case ColumnAlign::Left:
            return Qt::AlignLeft | Qt::AlignVCenter;
        case ColumnAlign::Right:
            return Qt::AlignRight | Qt::AlignVCenter;
        case ColumnAlign::Centre:
            break;
    }
    return Qt::AlignCenter;
}

}  // namespace

CPileLibraryDlg::CPileLibraryDlg(CPileLibrary* library, const WorkContext& ctx, QWidget* parent)
    : QDialog(parent),
      m_library(library),
      m_ctx(ctx),
      m_path(QString::fromStdString(exeFile(ctx, CPileLibrary::kFileName))),
      m_list(new QTableWidget(this)),
      m_edit(new QPushButton(QStringLiteral("编辑试验资料库"), this)),
      m_note(new QLabel(this)),
      m_watcher(new QFileSystemWatcher(this)) {
    setWindowTitle(QStringLiteral("单桩试验资料库列表"));
    for (CPileTestRecord& e : m_library->entries) e.selected = 0;
    auto* caption = new QLabel(QStringLiteral("抗滑桩水平静载荷试验资料一揽表"), this);
    caption->setBuddy(m_list);
    setUpList();
    m_note->setWordWrap(true);
    m_note->hide();

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("确认"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPileLibraryDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_edit, &QPushButton::clicked, this, &CPileLibraryDlg::OnEditLibrary);
    connect(m_list, &QTableWidget::cellDoubleClicked, this, &CPileLibraryDlg::accept);
    // Editors that save by writing a new file end the watch on the old one.
    connect(m_watcher, &QFileSystemWatcher::fileChanged, this, &CPileLibraryDlg::reload);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_note);
    auto* row = new QHBoxLayout;
    row->addWidget(m_edit);
    row->addStretch(1);
    row->addWidget(buttons);
    layout->addLayout(row);
    FillPileList();
    sizeColumns();
    resize(std::min(1100, m_list->horizontalHeader()->length() + 40), 460);
}

void CPileLibraryDlg::setUpList() {
    m_list->setColumnCount(static_cast<int>(std::size(kPileListColumns)));
    QStringList titles;
    for (const PileListColumn& c : kPileListColumns) titles << QString::fromUtf8(c.title);
    m_list->setHorizontalHeaderLabels(titles);
    m_list->verticalHeader()->hide();
    m_list->setShowGrid(true);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setWordWrap(false);
    m_list->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    m_list->setAccessibleName(QStringLiteral("抗滑桩水平静载荷试验资料一揽表"));
}

void CPileLibraryDlg::sizeColumns() {
    // The widths were pixels for a 12-pixel Chinese character.
    double k = std::max(1.0, fontMetrics().horizontalAdvance(QStringLiteral("中")) / 12.0);
    m_list->resizeColumnsToContents();
    for (int c = 0; c < m_list->columnCount(); ++c) {
        int least = static_cast<int>(kPileListColumns[c].width * k);
        m_list->setColumnWidth(c, std::max(m_list->columnWidth(c), least));
    }
}

void CPileLibraryDlg::FillPileList() {
    const std::vector<CPileTestRecord>& entries = m_library->entries;
    m_list->clearSelection();
    m_list->setRowCount(static_cast<int>(entries.size()));
    for (int row = 0; row < static_cast<int>(entries.size()); ++row) {
        std::vector<std::string> texts = PileListRowTexts(entries[row], row);
        for (int c = 0; c < static_cast<int>(texts.size()); ++c) {
            auto* item = new QTableWidgetItem(QString::fromStdString(texts[c]));
            item->setTextAlignment(alignmentOf(kPileListColumns[c].align));
            m_list->setItem(row, c, item);
        }
    }
    if (QFileInfo::exists(m_path) && !m_watcher->files().contains(m_path))
        m_watcher->addPath(m_path);
}

void CPileLibraryDlg::reload() {
    // A file that cannot be read keeps the entries as they were.
    m_library->LoadPileLibrary(m_ctx);
    FillPileList();
}

void CPileLibraryDlg::OnEditLibrary() {
    QProcess* editor = startTextEditor(m_path);
    if (!editor) {
        m_note->setText(QStringLiteral("无法启动文本编辑器(VISUAL、EDITOR 或系统默认程序)。"));
        m_note->show();
        return;
    }
    m_edit->setEnabled(false);
    m_note->setText(QStringLiteral("正在编辑 %1，关闭编辑器后重新读入。").arg(m_path));
    m_note->show();
    connect(editor, &QProcess::finished, this, [this] {
        m_edit->setEnabled(true);
        m_note->hide();
        reload();
    });
}

void CPileLibraryDlg::accept() {
    std::vector<int> rows;
    for (const QModelIndex& i : m_list->selectionModel()->selectedRows()) rows.push_back(i.row());
    GuiMessageSink boxes;
    MessageSink& messages = m_ctx.messages ? *m_ctx.messages : boxes;
    if (!m_library->SelectRows(rows, messages)) return;
    QDialog::accept();
}
