// Directory tree, path line and the three fields of the project information.
#include "shell/ProjectInfoDialog.h"

#include "platform/Sinks.h"
#include "platform/WorkContext.h"
#include "project/ProjectOpening.h"

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
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
      m_model(new QFileSystemModel(this)),
      m_tree(new QTreeView(this)),
      m_path(field(this, "工作路径")),
      m_name(field(this, "工程名称")),
      m_number(field(this, "工程编号")),
      m_time(field(this, "设计时间")),
      m_industry(new QComboBox(this)) {
    setWindowTitle("指定工作路径");
    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_model->setRootPath(QDir::rootPath());
    m_tree->setModel(m_model);
    for (int column = 1; column < m_model->columnCount(); ++column) m_tree->hideColumn(column);
    m_tree->header()->hide();
    m_tree->setAccessibleName("目录");
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
    layout->addWidget(m_tree, 1);
    layout->addLayout(form);
    layout->addLayout(buttons);

    m_name->setText(QString::fromStdString(info.name));
    m_number->setText(QString::fromStdString(info.number));
    // A design time never set is proposed as now, as for a new directory.
    m_time->setText(QString::fromStdString(
        info.designTime.empty() ? FormatDesignTime(std::time(nullptr)) : info.designTime));
    m_industry->setCurrentIndex(info.industry);
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &ProjectInfoDialog::directoryChosen);
    connect(m_path, &QLineEdit::textEdited, this, &ProjectInfoDialog::pathTyped);
    connect(ok, &QPushButton::clicked, this, &ProjectInfoDialog::confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    // The dialog opens on the work path with the fields it was given; only a
    // change of directory reads them again.
    m_path->setText(workPath);
    connect(m_model, &QFileSystemModel::directoryLoaded, this, &ProjectInfoDialog::showPathInTree);
    showPathInTree();
    resize(560, 520);
}

void ProjectInfoDialog::directoryChosen(const QModelIndex& index) {
    if (!index.isValid()) return;
    QString dir = m_model->filePath(index);
    m_path->setText(dir);
    loadFields(dir);
}

// A typed path that names a directory moves the tree there, without
// rewriting what is being typed.
void ProjectInfoDialog::pathTyped(const QString& text) {
    if (!showPathInTree()) return;
    loadFields(text.trimmed());
}

// The tree's model reads directories in the background: the path line's
// directory is selected again as each level arrives.
bool ProjectInfoDialog::showPathInTree() {
    QString dir = m_path->text().trimmed();
    if (dir.isEmpty() || !QDir(dir).exists()) return false;
    QModelIndex index = m_model->index(QDir(dir).absolutePath());
    if (index.isValid() && index != m_tree->currentIndex()) {
        QSignalBlocker block(m_tree->selectionModel());
        m_tree->setCurrentIndex(index);
        m_tree->scrollTo(index, QAbstractItemView::PositionAtCenter);
    }
    return true;
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
