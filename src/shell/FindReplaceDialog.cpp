#include "shell/FindReplaceDialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

FindReplaceDialog::FindReplaceDialog(QWidget* parent) : QDialog(parent) {
    m_find = new QLineEdit(this);
    m_with = new QLineEdit(this);
    m_case = new QCheckBox("区分大小写(&C)", this);
    m_words = new QCheckBox("全字匹配(&W)", this);
    auto* next = new QPushButton("查找下一个(&F)", this);
    m_replace = new QPushButton("替换(&R)", this);
    m_replaceAll = new QPushButton("全部替换(&A)", this);
    auto* cancel = new QPushButton("取消", this);
    next->setDefault(true);

    auto* fields = new QFormLayout;
    fields->addRow("查找内容(&N):", m_find);
    m_withRow = new QLabel("替换为(&P):", this);
    fields->addRow(m_withRow, m_with);
    fields->addRow(m_case);
    fields->addRow(m_words);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {next, m_replace, m_replaceAll, cancel}) buttons->addWidget(b);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(buttons);

    connect(next, &QPushButton::clicked, this, [this] { emit findNext(text(), flags()); });
    connect(m_replace, &QPushButton::clicked, this,
            [this] { emit replaceNext(text(), m_with->text(), flags()); });
    connect(m_replaceAll, &QPushButton::clicked, this,
            [this] { emit replaceAll(text(), m_with->text(), flags()); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::hide);
}

void FindReplaceDialog::open(bool replace, const QString& text) {
    setWindowTitle(replace ? "替换" : "查找");
    for (QWidget* w : std::initializer_list<QWidget*>{m_withRow, m_with, m_replace, m_replaceAll})
        w->setVisible(replace);
    if (!text.isEmpty()) m_find->setText(text);
    m_find->selectAll();
    show();
    raise();
    activateWindow();
    m_find->setFocus();
}

QString FindReplaceDialog::text() const {
    return m_find->text();
}

QTextDocument::FindFlags FindReplaceDialog::flags() const {
    QTextDocument::FindFlags f;
    if (m_case->isChecked()) f |= QTextDocument::FindCaseSensitively;
    if (m_words->isChecked()) f |= QTextDocument::FindWholeWords;
    return f;
}
