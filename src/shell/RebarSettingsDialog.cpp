// The reinforcement settings dialog.
#include "shell/RebarSettingsDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>

namespace {

const char* const kSteels[] = {"HPB300", "HRB335", "HRB400", "HRB500"};

}  // namespace

RebarSettingsDialog::RebarSettingsDialog(const RebarSettings& current, const std::string& path,
                                         QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("配筋参数"));
    auto* column = new QVBoxLayout(this);
    auto* where = new QLabel(QStringLiteral("保存在 %1").arg(QString::fromStdString(path)), this);
    where->setWordWrap(true);
    column->addWidget(where);
    auto* form = new QFormLayout;
    column->addLayout(form);
    for (const RebarSettingKey& k : RebarSettingKeys()) {
        Row row;
        row.key = k.key;
        const QString value = QString::fromStdString(RebarSettingText(current, k.key));
        QWidget* field = nullptr;
        if (row.key == "bar" || row.key == "stirrup") {
            row.choice = new QComboBox(this);
            for (const char* s : kSteels) row.choice->addItem(QString::fromLatin1(s));
            row.choice->setCurrentText(value);
            field = row.choice;
        } else {
            row.text = new QLineEdit(value, this);
            field = row.text;
        }
        field->setObjectName(QString::fromStdString(row.key));
        field->setAccessibleName(QString::fromUtf8(k.title));
        form->addRow(QString::fromUtf8(k.title), field);
        m_rows.push_back(row);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    column->addWidget(buttons);
}

std::optional<RebarSettings> RebarSettingsDialog::settings(std::string* why) const {
    RebarSettings s;
    for (const Row& row : m_rows) {
        const QString text = row.choice ? row.choice->currentText() : row.text->text().trimmed();
        std::string reason;
        if (!SetRebarSetting(s, row.key, text.toStdString(), &reason)) {
            for (const RebarSettingKey& k : RebarSettingKeys())
                if (row.key == k.key && why) *why = std::string(k.title) + ": " + reason;
            return std::nullopt;
        }
    }
    return s;
}

void RebarSettingsDialog::accept() {
    std::string why;
    if (!settings(&why)) {
        QMessageBox::warning(this, QStringLiteral("配筋参数"), QString::fromStdString(why));
        return;
    }
    QDialog::accept();
}

std::optional<RebarSettings> EditRebarSettings(const RebarSettings& current,
                                               const std::string& path, QWidget* parent) {
    RebarSettingsDialog dialog(current, path, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.settings(nullptr);
}
