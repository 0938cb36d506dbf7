// Reading, calculating and writing one item.
#include "shell/ItemWindow.h"

#include "shell/DrawingPreview.h"
#include "shell/ProjectSession.h"

#include "diagrams/ThrustCurve.h"
#include "platform/Drawing.h"
#include "run/CalcRun.h"
#include "run/ResultNames.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

ItemWindow::ItemWindow(ProjectSession& session, QWidget* parent)
    : QDialog(parent),
      m_session(session),
      m_sketch(new DrawingPreview(this)),
      m_description(new QLineEdit(this)) {
    setWindowTitle("Talvor计算");
    m_sketch->setAccessibleName("计算简图");
    m_sketch->setMinimumSize(560, 400);
    m_sketch->setDrawing(MakeSketchDrawing(session.record));
    m_description->setText(QString::fromStdString(session.record.name()));
    m_description->setAccessibleName("说明");
    auto* calc = new QPushButton("计算", this);
    auto* back = new QPushButton("返回", this);

    auto* row = new QHBoxLayout;
    auto* label = new QLabel("说明", this);
    label->setBuddy(m_description);
    row->addWidget(label);
    row->addWidget(m_description, 1);
    row->addWidget(calc);
    row->addWidget(back);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_sketch, 1);
    layout->addLayout(row);

    connect(calc, &QPushButton::clicked, this, &ItemWindow::OnCalculate);
    connect(back, &QPushButton::clicked, this, &ItemWindow::OnReturn);
}

void ItemWindow::OnCalculate() {
    m_session.record.setName(m_description->text().toStdString());
    QApplication::setOverrideCursor(Qt::WaitCursor);
    CalcRunResult run = RunCalculation(m_session.record, m_session.ctx, m_session.item.fileBase);
    QApplication::restoreOverrideCursor();
    if (run.result != 1) return;  // the input stays for correction
    m_calculated = 1;
    accept();
}

void ItemWindow::OnReturn() {
    m_session.record.setName(m_description->text().toStdString());
    accept();
}

bool RunItemWindow(ProjectSession& session, QWidget* parent) {
    CSlideCalcData& record = session.record;
    const ItemContext& item = session.item;
    record.setName(item.caption);
    SetResultFileNames(record, item.fileBase);
    const std::string dataFile = workFile(session.ctx, item.fileBase + ".dat");
    if (!item.newItem) record.ReadDataFile(dataFile);

    ItemWindow window(session, parent);
    window.exec();

    SetResultFileNames(record, item.fileBase);
    if (!record.WriteDataFile(dataFile) && session.ctx.messages)
        session.ctx.messages->message("无法写入计算数据文件 " + dataFile + "，原有文件保持不变。");
    return window.calculated() == 1;
}
