// Icon, title, version and "确认".
#include "shell/AboutBox.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#ifndef TALVOR_VERSION
#define TALVOR_VERSION "1.0"
#endif

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle("版本信息");
    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(":/icons/talvor.svg").pixmap(64, 64));
    icon->setAccessibleName("Talvor");
    auto* title = new QLabel("Talvor设计软件", this);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    title->setFont(big);
    auto* version = new QLabel(QString("版本: ") + TALVOR_VERSION, this);
    auto* ok = new QPushButton("确认", this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* text = new QVBoxLayout;
    text->addWidget(title);
    text->addWidget(version);
    text->addWidget(new QLabel("滑坡应急抢险设计：剩余下滑力、抗滑桩、反压与刷方", this));
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(ok, 0, Qt::AlignRight);
}
