// The chooser's list, preview and deletion. Cancelling it adds no item.
#include "shell/TemplateChooserDialog.h"

#include "shell/DrawingBox.h"

#include "data/CSlideCalcData.h"
#include "diagrams/ThrustCurve.h"
#include "platform/Drawing.h"
#include "platform/WorkContext.h"
#include "project/CTemplateIndex.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TemplateChooserDialog::TemplateChooserDialog(TemplateChooser& chooser, const CSlideCalcData& record,
                                             const WorkContext& ctx, QWidget* parent)
    : QDialog(parent),
      m_chooser(chooser),
      m_record(record),
      m_ctx(ctx),
      m_list(new QListWidget(this)),
      m_delete(new QPushButton("删    除", this)),
      m_preview(new DrawingBox(this)) {
    setWindowTitle("新增项目选用模板：");
    auto* ok = new QPushButton("确   认", this);
    ok->setDefault(true);
    m_list->setAccessibleName("模板");
    m_list->setWordWrap(true);
    m_list->setMinimumWidth(300);
    m_preview->setAccessibleName("模板简图");
    m_preview->setMinimumSize(320, 240);

    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel("新增项目选用模板：", this));
    left->addWidget(m_list, 1);
    auto* buttons = new QHBoxLayout;
    auto* cancel = new QPushButton("取   消", this);
    buttons->addWidget(ok);
    buttons->addWidget(m_delete);
    buttons->addWidget(cancel);
    left->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addWidget(m_preview, 2);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_delete, &QPushButton::clicked, this, &TemplateChooserDialog::deleteSelected);
    connect(m_list, &QListWidget::currentRowChanged, this,
            &TemplateChooserDialog::selectionChanged);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    fillList();
    resize(820, 440);
}

void TemplateChooserDialog::fillList() {
    QSignalBlocker block(m_list);
    m_list->clear();
    for (const std::string& line : m_chooser.lines()) m_list->addItem(QString::fromStdString(line));
    m_list->setCurrentRow(m_chooser.selection());
    m_delete->setEnabled(m_chooser.canDelete());
    showPreview();
}

void TemplateChooserDialog::selectionChanged(int row) {
    m_chooser.select(row);
    m_delete->setEnabled(m_chooser.canDelete());
    showPreview();
}

void TemplateChooserDialog::deleteSelected() {
    if (m_ctx.messages && m_chooser.DeleteSelected(*m_ctx.messages)) fillList();
}

// The sketch of what choosing the line would give the new item.
void TemplateChooserDialog::showPreview() {
    int s = m_chooser.selection();
    if (s == 0) {
        m_preview->setDrawing(MakeSketchDrawing(CSlideCalcData{}));
    } else if (s == 1) {
        m_preview->setDrawing(MakeSketchDrawing(m_record));
    } else {
        CSlideCalcData sample;
        int number = m_chooser.templateNumber(s);
        if (number > 0 && sample.ReadDataFile(TemplateFilePath(m_ctx, number)))
            m_preview->setDrawing(MakeSketchDrawing(sample));
        else
            m_preview->setDrawing(nullptr);
    }
}

bool DialogTemplateChooser::run(TemplateChooser& chooser) {
    TemplateChooserDialog dialog(chooser, m_record, m_ctx);
    return dialog.exec() == QDialog::Accepted;
}
