// The dialog "新增项目选用模板：" in which a new item's start data are chosen:
// the list of the template chooser of src/project, a preview sketch of the
// line selected, "确   认" and "删    除".
#pragma once

#include "project/TemplateChooser.h"

#include <QDialog>

class CSlideCalcData;
class DrawingBox;
class QListWidget;
class QPushButton;
struct WorkContext;

class TemplateChooserDialog : public QDialog {
    Q_OBJECT
  public:
    // record is the shared record ("前一个例题" previews it).
    TemplateChooserDialog(TemplateChooser& chooser, const CSlideCalcData& record,
                          const WorkContext& ctx, QWidget* parent = nullptr);

  private:
    void fillList();
    void selectionChanged(int row);
    void deleteSelected();
    void showPreview();

    TemplateChooser& m_chooser;
    const CSlideCalcData& m_record;
    const WorkContext& m_ctx;
    QListWidget* m_list;
    QPushButton* m_delete;
    DrawingBox* m_preview;
};

// The chooser's user interface as ChooseTemplate asks for it.
class DialogTemplateChooser : public TemplateChooserUi {
  public:
    DialogTemplateChooser(const CSlideCalcData& record, const WorkContext& ctx)
        : m_record(record), m_ctx(ctx) {}
    bool run(TemplateChooser& chooser) override;

  private:
    const CSlideCalcData& m_record;
    const WorkContext& m_ctx;
};
