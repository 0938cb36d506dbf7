// Choosing the start data of a new item from the template library, and storing
// the current item as a new template. The chooser dialog is the desktop
// program's: it shows a TemplateChooser and reports whether it was confirmed.
#pragma once

#include "project/CTemplateIndex.h"

#include <string>
#include <vector>

class CSlideCalcData;
class MessageSink;
struct WorkContext;

// What the chooser dialog shows and does: "系统默认例题", "前一个例题" and one
// line per template of the kind; deleting asks first.
class TemplateChooser {
  public:
    static constexpr int kFixedLines = 2;

    TemplateChooser(CTemplateIndex& index, const WorkContext& ctx, int kind);

    const std::vector<std::string>& lines() const { return m_lines; }
    int selection() const { return m_selection; }
    // Selects a line; a position outside the list is ignored.
    void select(int line);
    // "删    除" is offered only on a template line.
    bool canDelete() const { return m_selection >= kFixedLines; }
    // The template number behind a line; 0 for the fixed lines and outside.
    int templateNumber(int line) const;
    // Asks "是否真要从模板库中将: <line> 删除 ?" and on Yes removes the
    // template from the index in memory; true when it was removed.
    bool DeleteSelected(MessageSink& messages);

  private:
    void FillLines();

    CTemplateIndex& m_index;
    const WorkContext& m_ctx;
    int m_kind;
    std::vector<std::string> m_lines;
    int m_selection = 0;
};

// The dialog around a chooser: true when confirmed (the chooser's selection is
// then the choice), false when cancelled.
class TemplateChooserUi {
  public:
    virtual ~TemplateChooserUi() = default;
    virtual bool run(TemplateChooser& chooser) = 0;
};

// Fills the record for a new item from the choice; false when cancelled (the
// record is then unchanged and the index as it was before the dialog). A
// template's reinforcement settings go beside the item's data file at
// itemPath when one is given.
bool ChooseTemplate(int kind, CSlideCalcData& record, CTemplateIndex& index, const WorkContext& ctx,
                    TemplateChooserUi& ui, const std::string& itemPath = {});

// Stores the record as a new template after asking, with the reinforcement
// settings beside its data file; true when stored.
bool StoreTemplate(int kind, const CSlideCalcData& record, CTemplateIndex& index,
                   const WorkContext& ctx);
