// Directory list, path line and the three fields of the project information.
#include "shell/ProjectInfoDialog.h"

#include "shell/DirectoryLevels.h"

#include "platform/Sinks.h"
#include "platform/WorkContext.h"
#include "project/ProjectOpening.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

#include <ctime>

namespace {

QLineEdit* field(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setAccessibleName(name);
    return edit;
}

}  // namespace

ProjectInfoDialog::ProjectInfoDialog(const QString& workPath, const CProjectInfo& info,
                                     MessageSink& messages, QWidget* parent)
    : QDialog(parent),
      m_info(info),
      m_messages(messages),
      m_levels(new DirectoryLevels(this)),
      m_list(new QListView(this)),
      m_path(field(this, "工作路径")),
      m_name(field(this, "工程名称")),
      m_number(field(this, "工程编号")),
      m_time(field(this, "设计时间")),
      m_industry(new QComboBox(this)) {
    setWindowTitle("指定工作路径");
    m_list->setModel(m_levels);
    m_list->setAccessibleName("目录");
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->installEventFilter(this);
    // The industry is kept as read; the dialog does not offer it.
    for (const char* name : kIndustryNames) m_industry->addItem(name);
    m_industry->setAccessibleName("选择行业");
    m_industry->hide();
    m_industry->setEnabled(false);

    auto* form = new QFormLayout;
    form->addRow("工作路径", m_path);
    form->addRow("工程名称", m_name);
    form->addRow("工程编号", m_number);
    form->addRow("设计时间", m_time);
    auto* ok = new QPushButton("确  认", this);
    auto* cancel = new QPushButton("取  消", this);
    ok->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(form);
    layout->addLayout(buttons);

    m_name->setText(QString::fromStdString(info.name));
    m_number->setText(QString::fromStdString(info.number));
    // A design time never set is proposed as now, as for a new directory.
    m_time->setText(QString::fromStdString(
        info.designTime.empty() ? FormatDesignTime(std::time(nullptr)) : info.designTime));
    m_industry->setCurrentIndex(info.industry);
    connect(m_list, &QAbstractItemView::activated, this, &ProjectInfoDialog::enter);
    connect(m_path, &QLineEdit::textEdited, this, &ProjectInfoDialog::pathTyped);
    connect(ok, &QPushButton::clicked, this, &ProjectInfoDialog::confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    // The dialog opens on the work path with the fields it was given; only a
    // change of directory reads them again.
    m_path->setText(workPath);
    showInList(workPath);
    resize(560, 520);
}

// Enter on a directory enters it, and only that: the key does not go on to
// "确  认", the dialog's default button.
bool ProjectInfoDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            enter(m_list->currentIndex());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ProjectInfoDialog::enter(const QModelIndex& index) {
    QString dir = m_levels->pathAt(index);
    if (dir.isEmpty()) return;
    showInList(dir);
    m_path->setText(dir);
    loadFields(dir);
}

// A typed path moves the list to it, or to its nearest existing ancestor,
// without rewriting what is being typed; only an existing directory brings
// its own fields.
void ProjectInfoDialog::pathTyped(const QString& text) {
    showInList(text);
    if (!text.trimmed().isEmpty() && QFileInfo(text.trimmed()).isDir()) loadFields(text.trimmed());
}

void ProjectInfoDialog::showInList(const QString& dir) {
    QString before = m_levels->shown();
    if (m_levels->show(dir) == before && m_list->currentIndex().isValid()) return;
    m_list->setCurrentIndex(m_levels->shownIndex());
    m_list->scrollTo(m_levels->shownIndex(), QAbstractItemView::PositionAtCenter);
}

void ProjectInfoDialog::loadFields(const QString& dir) {
    std::string path = withTrailingSlash(dir.toStdString());
    CProjectInfo read = CProjectInfo::Defaults(path, std::time(nullptr));
    if (read.ReadInfoFile(path)) read.workPath = path;
    m_info = read;
    m_name->setText(QString::fromStdString(m_info.name));
    m_number->setText(QString::fromStdString(m_info.number));
    m_time->setText(QString::fromStdString(m_info.designTime));
    m_industry->setCurrentIndex(m_info.industry);
}

void ProjectInfoDialog::confirm() {
    m_info.name = m_name->text().toStdString();
    m_info.number = m_number->text().toStdString();
    m_info.designTime = m_time->text().toStdString();
    m_info.industry = m_industry->currentIndex();
    ConfirmedDirectory made = ConfirmProjectDirectory(m_path->text().toStdString(), m_info);
    if (made.outcome == ProjectDirOutcome::NotCreated) {
        m_messages.message("无法建立工作路径 " + m_path->text().trimmed().toStdString());
        return;
    }
    if (made.outcome == ProjectDirOutcome::InfoNotSaved)
        m_messages.message("无法在 " + made.workPath + " 中写入工程信息文件 GCXX.BOX");
    m_info.workPath = made.workPath;
    m_confirmedPath = QString::fromStdString(made.workPath);
    accept();
}
