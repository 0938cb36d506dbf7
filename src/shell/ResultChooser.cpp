// The chooser keeps the file paths beside the titles it lists.
#include "shell/ResultChooser.h"

#include "data/CSlideCalcData.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QVBoxLayout>

ResultChooser::ResultChooser(ShowFile showFile, QWidget* parent)
    : QDialog(parent), m_showFile(std::move(showFile)), m_list(new QListWidget(this)) {
    setWindowTitle(QStringLiteral("选择查询内容"));
    setModal(false);
    m_list->setAccessibleName(QStringLiteral("选择查询内容"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    connect(m_list, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { showLine(m_list->row(item)); });
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        showLine(m_list->currentRow());
        hide();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::hide);
    resize(260, 200);
}

void ResultChooser::fill(const CSlideCalcData& record, const std::string& workPath) {
    m_list->clear();
    m_files.clear();
    for (int i = 0; i < record.resultCount(); ++i) {
        m_list->addItem(QString::fromStdString(record.result(i).title));
        m_files.push_back(workPath + record.GetDxfFileName(i));
    }
    if (!m_files.empty()) m_list->setCurrentRow(0);
}

void ResultChooser::showLine(int line) {
    if (line >= 0 && line < static_cast<int>(m_files.size()) && m_showFile)
        m_showFile(m_files[line]);
}

int ShowResultDrawings(const CSlideCalcData& record, const std::string& workPath,
                       ResultChooser& chooser) {
    int n = record.resultCount();
    chooser.fill(record, workPath);
    if (n == 1) chooser.showLine(0);
    if (n > 1) chooser.show();
    return n;
}
