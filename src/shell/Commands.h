// The command numbers of the desktop program, where each command goes, and
// the row a target keeps for each of its commands. The numbers are those the
// program has always had, so that menus, toolbar and the panes of a project
// window agree on them.
#pragma once

#include "platform/Assert.h"

#include <QKeySequence>

#include <span>

namespace cmd {

// Main frame and application.
inline constexpr int OpenProject = 32818;  // 打开工程
inline constexpr int SelectKinds = 32826;  // 选择计算项目
inline constexpr int SaveData = 32843;     // 保存数据
inline constexpr int Exit = 57665;         // 退出(&X)
inline constexpr int ShowInfo = 32831;     // 显示计算信息窗口
inline constexpr int TableTips = 32847;    // 显示表格输入提示信息
inline constexpr int About = 57664;        // 版本信息
inline constexpr int Help = 57670;         // 简要说明
inline constexpr int ToolBar = 59392;      // 工具栏(&T)
inline constexpr int StatusBar = 59393;    // 状态栏(&S)
inline constexpr int ArrangeIcons = 57649;
inline constexpr int Cascade = 57650;
inline constexpr int TileHorizontal = 57651;
inline constexpr int TileVertical = 57652;
inline constexpr int NextPane = 57680;      // F6
inline constexpr int PreviousPane = 57681;  // Shift+F6

// Printing of the active view.
inline constexpr int Print = 57607;
inline constexpr int PrintPreview = 57609;
inline constexpr int PrintSetup = 57606;
inline constexpr int SavePdf = 32900;  // 保存为PDF文件: the report's pages, beside printing
inline constexpr int ProjectSummary = 32901;  // 工程汇总表: one table over the items

// Project document: the item bar.
inline constexpr int AddItem = 1002;
inline constexpr int DeleteItem = 1003;
inline constexpr int CalcItem = 1004;

// Drawing view.
inline constexpr int TextHeight = 32822;   // 设置字符高度
inline constexpr int ReadDxf = 32815;      // 读入DXF文件
inline constexpr int SaveDxf = 32819;      // 显示简图存为DXF文件
inline constexpr int CopyDrawing = 57634;  // 显示图形拷贝到剪贴板上
inline constexpr int ClearView = 32813;    // 清除视窗
inline constexpr int ZoomOut = 57013;
inline constexpr int ZoomIn = 57014;
inline constexpr int ShowAll = 57015;
inline constexpr int Pan = 57016;
inline constexpr int ZoomWindow = 57017;
inline constexpr int Redraw = 57018;
inline constexpr int PreviousZoom = 57019;

// Report view.
inline constexpr int Undo = 57643;
inline constexpr int Cut = 57635;
inline constexpr int Copy = 57634;
inline constexpr int Paste = 57637;
inline constexpr int PasteSpecial = 57639;
inline constexpr int ClearSelection = 57632;
inline constexpr int SelectAll = 57642;
inline constexpr int Find = 57636;
inline constexpr int FindNext = 57640;
inline constexpr int Replace = 57641;
inline constexpr int InsertObject = 57856;
inline constexpr int LinkObject = 57857;
inline constexpr int ObjectProperties = 57860;
inline constexpr int CharFormat = 57696;
inline constexpr int GoToLine = 32820;
inline constexpr int ReadRtf = 32812;
inline constexpr int SaveRtf = 32827;
inline constexpr int SaveRtfAs = 32828;
inline constexpr int SaveText = 32821;

}  // namespace cmd

// Who carries out a command.
enum class CommandTarget {
    MainFrame,    // the main window itself
    Document,     // the active project window's item list
    DrawingView,  // the active project window's drawing view
    ReportView,   // the active project window's report view
    ActiveView,   // whichever of the two views had the focus last
};

// A menu or toolbar entry: the command `id` of the target's table.
struct CommandRef {
    CommandTarget target;
    int id;
};

// The keys of a menu entry: one of the platform's standard keys, or one key
// combination. A table holds these rather than a QKeySequence, which asks the
// running application for the standard keys when it is made.
struct CommandKeys {
    QKeySequence::StandardKey standard = QKeySequence::UnknownKey;
    int combination = 0;

    constexpr CommandKeys() = default;
    constexpr CommandKeys(QKeySequence::StandardKey key) : standard(key) {}
    constexpr CommandKeys(Qt::Key key) : combination(key) {}
    constexpr CommandKeys(QKeyCombination keys) : combination(keys.toCombined()) {}

    QKeySequence sequence() const {
        if (standard != QKeySequence::UnknownKey) return QKeySequence(standard);
        return combination ? QKeySequence(combination) : QKeySequence();
    }
};

// One command of a target: its menu entry (text, keys, toolbar icon), when it
// can run, and what it does. Each target keeps one table of these, and every
// menu and toolbar entry is the row of one table, so that the entry, its
// state and its work cannot disagree.
template <class Target>
struct CommandRow {
    int id;
    const char* text;  // the menu entry; null: no entry of its own (reached as ActiveView)
    CommandKeys keys;
    const char* icon;  // a resource path, or null
    bool (*enabled)(const Target&);
    void (*run)(Target&);
    bool (*checked)(const Target&) = nullptr;  // the entry's check mark; null: none
};

template <class Target>
using CommandTable = std::span<const CommandRow<Target>>;

// The row of the id, or null when the table has none.
template <class Target>
const CommandRow<Target>* findCommand(CommandTable<Target> table, int id) {
    for (const CommandRow<Target>& row : table)
        if (row.id == id) return &row;
    return nullptr;
}

// The row of a command that must be in the table: every id that reaches a
// target comes from its table, so one that is not there is a programming error.
template <class Target>
const CommandRow<Target>& commandRow(CommandTable<Target> table, int id) {
    const CommandRow<Target>* row = findCommand(table, id);
    talvor_assert(row != nullptr);
    return *row;
}

template <class Target>
bool canRunCommand(CommandTable<Target> table, const Target& target, int id) {
    return commandRow(table, id).enabled(target);
}

// Runs the command when its rule allows it now; false when it did not run.
template <class Target>
bool runCommand(CommandTable<Target> table, Target& target, int id) {
    const CommandRow<Target>& row = commandRow(table, id);
    if (!row.enabled(target)) return false;
    row.run(target);
    return true;
}

// What a menu entry shows of a row, whichever target's it is.
struct CommandLabel {
    const char* text;
    CommandKeys keys;
    const char* icon;
    bool checkable;
};

template <class Target>
CommandLabel commandLabel(const CommandRow<Target>& row) {
    return {row.text, row.keys, row.icon, row.checked != nullptr};
}
