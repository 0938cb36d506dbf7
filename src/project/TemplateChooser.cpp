// The chooser's lines and deletions, and the two template operations.
#include "project/TemplateChooser.h"

#include "data/CSlideCalcData.h"
#include "platform/Assert.h"
#include "platform/RebarSettingsFile.h"
#include "platform/Sinks.h"
#include "platform/WorkContext.h"
#include "project/ItemList.h"

#include <algorithm>

TemplateChooser::TemplateChooser(CTemplateIndex& index, const WorkContext& ctx, int kind)
    : m_index(index), m_ctx(ctx), m_kind(kind) {
    FillLines();
}

void TemplateChooser::FillLines() {
    m_lines = {"系统默认例题", "前一个例题"};
    if (m_kind < 0 || m_kind >= CTemplateIndex::kKinds) return;
    for (int i = 0; i < m_index.templateCount[m_kind]; ++i)
        m_lines.push_back(
            ReadNameLine(TemplateFilePath(m_ctx, m_index.templateNumbers[m_kind][i])));
}

void TemplateChooser::select(int line) {
    if (line >= 0 && line < static_cast<int>(m_lines.size())) m_selection = line;
}

int TemplateChooser::templateNumber(int line) const {
    int p = line - kFixedLines;
    if (p < 0 || m_kind < 0 || m_kind >= CTemplateIndex::kKinds) return 0;
    if (p >= m_index.templateCount[m_kind]) return 0;
    return m_index.templateNumbers[m_kind][p];
}

bool TemplateChooser::DeleteSelected(MessageSink& messages) {
    if (!canDelete()) return false;
    int p = m_selection - kFixedLines;
    if (!messages.question("是否真要从模板库中将: " + m_lines[m_selection] + " 删除 ?", false))
        return false;
    if (!m_index.RemoveTemplate(m_kind, p)) return false;
    FillLines();
    m_selection = std::min(p + kFixedLines, static_cast<int>(m_lines.size()) - 1);
    return true;
}

bool ChooseTemplate(int kind, CSlideCalcData& record, CTemplateIndex& index, const WorkContext& ctx,
                    TemplateChooserUi& ui, const std::string& itemPath) {
    CSlideCalcData defaults;
    index.LoadTemplateIndex(ctx);
    // Deletions in the dialog count only when it is confirmed.
    CTemplateIndex before = index;
    TemplateChooser chooser(index, ctx, kind);
    if (!ui.run(chooser)) {
        index = before;
        return false;
    }
    int s = chooser.selection();
    if (s == 0) {
        record = defaults;
    } else if (s >= TemplateChooser::kFixedLines) {
        int number = chooser.templateNumber(s);
        // A missing template file leaves the record as the reading left it.
        record.ReadDataFile(TemplateFilePath(ctx, number));
        if (!itemPath.empty()) CopyRebarSettings(TemplateFilePath(ctx, number), itemPath);
    }
    index.SaveTemplateIndex(ctx);
    return true;
}

bool StoreTemplate(int kind, const CSlideCalcData& record, CTemplateIndex& index,
                   const WorkContext& ctx) {
    talvor_assert(ctx.messages != nullptr);
    MessageSink& messages = *ctx.messages;
    if (!messages.question("是否要将当前的数据存入模板库 ?", true)) return false;
    index.LoadTemplateIndex(ctx);
    CTemplateIndex before = index;
    int n = index.AddTemplate(kind);
    // Written from a copy: the shared record keeps its own file name.
    CSlideCalcData copy = record;
    if (n == 0 || !copy.WriteDataFile(TemplateFilePath(ctx, n)) ||
        !CopyRebarSettings(record.fileName(), TemplateFilePath(ctx, n)) ||
        !index.SaveTemplateIndex(ctx)) {
        index = before;
        messages.message("不能保存模板 !");
        return false;
    }
    messages.message("保存模板成功，此例题对应的模板名字为：\n     " + record.name());
    return true;
}
