// The factor field takes typing only for "其他单位"; the others are fixed.
#include "shell/DxfUnitDialog.h"

#include "project/DxfImport.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

bool askDrawingUnit(QWidget* parent, float* factor) {
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("确定Dxf图单位"));
    auto* text = new QLabel(
        QStringLiteral("请确定将导入的dxf图的绘制单位，程序将据此统一换算成米(m)为单位。"));
    text->setWordWrap(true);
    auto* unit = new QComboBox;
    for (const DrawingUnit& u : kDrawingUnits) unit->addItem(QString::fromUtf8(u.name));
    auto* ratio = new QDoubleSpinBox;
    ratio->setRange(0.0, kMaxUnitFactor);
    ratio->setDecimals(6);
    ratio->setValue(1.0);
    ratio->setEnabled(false);
    QObject::connect(unit, &QComboBox::currentIndexChanged, ratio, [=](int i) {
        bool other = i == static_cast<int>(std::size(kDrawingUnits)) - 1;
        ratio->setEnabled(other);
        if (!other) ratio->setValue(kDrawingUnits[i].factor);
    });
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("绘制单位："), unit);
    form->addRow(QStringLiteral("换算比例："), ratio);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(text);
    layout->addLayout(form);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted) return false;
    *factor = static_cast<float>(ratio->value());
    return true;
}
