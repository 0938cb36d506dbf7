#include "project/CTemplateIndex.h"

#include "ProjectTestSupport.h"
#include "data/CSlideCalcData.h"
#include "project/TemplateChooser.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// A dialog driven by a script that acts on the chooser and says whether the
// dialog was confirmed.
struct ScriptedChooser : TemplateChooserUi {
    explicit ScriptedChooser(std::function<bool(TemplateChooser&)> s) : script(std::move(s)) {}
    bool run(TemplateChooser& chooser) override {
        shownLines = chooser.lines();
        return script(chooser);
    }
    std::function<bool(TemplateChooser&)> script;
    std::vector<std::string> shownLines;
};

CSlideCalcData itemNamed(const std::string& name, float gamma = 18.0f) {
    CSlideCalcData item;
    item.setName(name);
    item.gamma = gamma;
    return item;
}

// A program whose template library holds the named templates of kind 0.
struct Library : Program {
    explicit Library(std::initializer_list<const char*> names = {}) {
        for (const char* name : names) EXPECT_TRUE(StoreTemplate(0, itemNamed(name), index, ctx));
        sinks.messages.clear();
    }
    CTemplateIndex onDisk() const {
        CTemplateIndex read;
        EXPECT_TRUE(read.LoadTemplateIndex(ctx));
        return read;
    }
    CTemplateIndex index;
};

}  // namespace

TEST(TemplateIndex, IndexFileHasTheFixedLayoutAndNumbersAreReusedAndLimited) {
    CTemplateIndex index;
    for (int i = 1; i <= 100; ++i) ASSERT_EQ(index.AddTemplate(0), i);
    EXPECT_EQ(index.AddTemplate(0), 0);
    EXPECT_EQ(index.AddTemplate(50), 0);
    EXPECT_FALSE(index.RemoveTemplate(1, 0));
    EXPECT_FALSE(index.RemoveTemplate(0, 100));
    EXPECT_TRUE(index.RemoveTemplate(0, 4));  // number 5
    EXPECT_EQ(index.templateNumbers[0][4], 6);
    EXPECT_EQ(index.templateNumbers[0][99], 0);
    EXPECT_EQ(index.AddTemplate(0), 5);
    EXPECT_EQ(index.templateNumbers[0][99], 5);
    std::string bytes = index.FormatIndexFile();
    ASSERT_EQ(bytes.size(), 20250u);
    EXPECT_EQ(bytes.substr(0, 50), "Morvane Talvor MoBan v1.0" + std::string(25, '\0'));
    EXPECT_EQ(bytes.substr(50, 4), std::string("d\0\0\0", 4));  // templateCount[0] = 100
    EXPECT_EQ(bytes.substr(250, 8), std::string("\1\0\0\0\2\0\0\0", 8));
    CTemplateIndex read;
    ASSERT_TRUE(read.ParseIndexFile(bytes));
    EXPECT_EQ(read, index);
}

TEST(TemplateIndex, LoadCreatesTheDirectoryRefusesForeignFilesAndWritesWholeFilesOnly) {
    Library prog;
    CTemplateIndex& index = prog.index;
    index.AddTemplate(0);
    const CTemplateIndex before = index;
    EXPECT_FALSE(index.LoadTemplateIndex(prog.ctx));
    EXPECT_TRUE(std::filesystem::is_directory(prog.file("Template")));
    std::string tooMany = CTemplateIndex().FormatIndexFile(), foreign = tooMany;
    tooMany[50] = 120;
    foreign[0] = 'X';
    for (const std::string& bad :
         {std::string("Morvane Talvor MoBan v1.0 but short"), tooMany, foreign}) {
        writeBytes(prog.file("Template/Talvor.MB"), bad);
        EXPECT_FALSE(index.LoadTemplateIndex(prog.ctx));
    }
    EXPECT_EQ(index, before);
    ASSERT_TRUE(index.SaveTemplateIndex(prog.ctx));
    EXPECT_EQ(prog.onDisk(), index);
    std::string saved = readBytes(prog.file("Template/Talvor.MB"));
    index.AddTemplate(0);
    HalfWriter half;
    EXPECT_FALSE(index.SaveTemplateIndex(prog.ctx, half));
    EXPECT_EQ(readBytes(prog.file("Template/Talvor.MB")), saved);
    EXPECT_EQ(prog.regularFiles(), 1);
}

TEST(TemplateIndex, StoringAsksWritesTheTemplateAndTellsItsName) {
    Library prog;
    CSlideCalcData item = itemNamed("公路K5滑坡例题", 20.5f);
    ASSERT_TRUE(StoreTemplate(0, item, prog.index, prog.ctx));
    EXPECT_EQ(
        prog.sinks.messages,
        (std::vector<std::string>{"是否要将当前的数据存入模板库 ?",
                                  "保存模板成功，此例题对应的模板名字为：\n     公路K5滑坡例题"}));
    CSlideCalcData read;
    ASSERT_EQ(read.ReadDataFile(prog.file("Template/Talvor_0001.DAT")), 1);
    EXPECT_FLOAT_EQ(read.gamma, 20.5f);
    EXPECT_EQ(item.fileName(), "");  // the shared record keeps its own file name
    EXPECT_EQ(prog.onDisk().templateCount[0], 1);
}

TEST(TemplateIndex, AnsweringNoOrAFullKindStoresNothing) {
    Library prog;
    AnsweringSinks no(false);
    prog.ctx.messages = &no;
    EXPECT_FALSE(StoreTemplate(0, CSlideCalcData(), prog.index, prog.ctx));
    EXPECT_FALSE(prog.has("Template/Talvor_0001.DAT"));
    EXPECT_EQ(prog.index.templateCount[0], 0);
    prog.ctx.messages = &prog.sinks;
    CTemplateIndex full;
    for (int i = 0; i < 100; ++i) full.AddTemplate(0);
    ASSERT_TRUE(full.SaveTemplateIndex(prog.ctx));
    EXPECT_FALSE(StoreTemplate(0, CSlideCalcData(), prog.index, prog.ctx));
    EXPECT_EQ(prog.sinks.messages.back(), "不能保存模板 !");
}

TEST(TemplateIndex, FreedNumbersAreReusedAndTheirOldFileOverwritten) {
    Library prog({"一", "二"});
    ASSERT_TRUE(prog.index.RemoveTemplate(0, 0));
    ASSERT_TRUE(prog.index.SaveTemplateIndex(prog.ctx));
    ASSERT_TRUE(StoreTemplate(0, itemNamed("三"), prog.index, prog.ctx));
    EXPECT_EQ(prog.index.templateNumbers[0][1], 1);
    CSlideCalcData read;
    ASSERT_EQ(read.ReadDataFile(prog.file("Template/Talvor_0001.DAT")), 1);
    EXPECT_EQ(read.name(), "三");
}

TEST(TemplateChooser, ListsTheFixedLinesThenTheTemplatesAndFillsTheRecordFromTheChoice) {
    Library prog({"甲例题"});
    ASSERT_TRUE(StoreTemplate(0, itemNamed("乙例题", 19.0f), prog.index, prog.ctx));
    CTemplateIndex withLost = prog.index;  // a template whose file went missing
    withLost.AddTemplate(0);
    withLost.SaveTemplateIndex(prog.ctx);
    CSlideCalcData record = itemNamed("上一个", 23.0f);
    ScriptedChooser ui([](TemplateChooser& c) {
        EXPECT_EQ(c.selection(), 0);
        EXPECT_FALSE(c.canDelete());
        c.select(3);
        return true;
    });
    ASSERT_TRUE(ChooseTemplate(0, record, prog.index, prog.ctx, ui));
    EXPECT_EQ(ui.shownLines,
              (std::vector<std::string>{"系统默认例题", "前一个例题", "甲例题", "乙例题", ""}));
    EXPECT_EQ(record.name(), "乙例题");
    EXPECT_FLOAT_EQ(record.gamma, 19.0f);
    record.gamma = 23.0f;
    ScriptedChooser previous([](TemplateChooser& c) { return c.select(1), true; });
    ASSERT_TRUE(ChooseTemplate(0, record, prog.index, prog.ctx, previous));
    EXPECT_FLOAT_EQ(record.gamma, 23.0f);
    std::filesystem::remove(prog.file("Template/Talvor.MB"));
    ScriptedChooser first([](TemplateChooser&) { return true; });
    ASSERT_TRUE(ChooseTemplate(0, record, prog.index, prog.ctx, first));
    EXPECT_EQ(record, CSlideCalcData());
    EXPECT_TRUE(prog.has("Template/Talvor.MB"));  // confirming writes the index, even unchanged
    record.gamma = 30.0f;
    ScriptedChooser cancel([](TemplateChooser&) { return false; });
    EXPECT_FALSE(ChooseTemplate(0, record, prog.index, prog.ctx, cancel));
    EXPECT_FLOAT_EQ(record.gamma, 30.0f);
}

TEST(TemplateChooser, DeletingThenCancellingKeepsTheTemplate) {
    Library prog({"甲"});
    AnsweringSinks yes(true);
    CSlideCalcData record;
    ScriptedChooser ui([&](TemplateChooser& c) {
        c.select(2);
        EXPECT_TRUE(c.canDelete());
        EXPECT_TRUE(c.DeleteSelected(yes));
        EXPECT_EQ(c.lines().size(), 2u);
        return false;
    });
    EXPECT_FALSE(ChooseTemplate(0, record, prog.index, prog.ctx, ui));
    EXPECT_EQ(yes.messages, std::vector<std::string>{"是否真要从模板库中将: 甲 删除 ?"});
    EXPECT_EQ(prog.index.templateCount[0], 1);
    EXPECT_EQ(prog.onDisk().templateCount[0], 1);
}

TEST(TemplateChooser, DeletingTheLastLineSelectsTheNewLastLine) {
    Library prog({"甲", "乙", "丙"});
    AnsweringSinks yes(true), no(false);
    CSlideCalcData record;
    ScriptedChooser ui([&](TemplateChooser& c) {
        c.select(4);
        EXPECT_FALSE(c.DeleteSelected(no));
        EXPECT_EQ(c.lines().size(), 5u);
        EXPECT_TRUE(c.DeleteSelected(yes));
        EXPECT_EQ(c.selection(), 3);
        c.select(2);
        EXPECT_TRUE(c.DeleteSelected(yes));
        EXPECT_EQ(c.selection(), 2);
        EXPECT_EQ(c.lines()[2], "乙");
        c.select(99);  // ignored
        EXPECT_EQ(c.selection(), 2);
        return true;
    });
    ASSERT_TRUE(ChooseTemplate(0, record, prog.index, prog.ctx, ui));
    EXPECT_EQ(record.name(), "乙");
    const CTemplateIndex onDisk = prog.onDisk();
    EXPECT_EQ(onDisk.templateCount[0], 1);
    EXPECT_EQ(onDisk.templateNumbers[0][0], 2);
}

TEST(TemplateIndex, ShippedStarterLibraryHoldsTheDefaultExample) {
    WorkContext ctx;
    ctx.G_strExePath = TALVOR_SHARE_DIR "/";
    CTemplateIndex index;
    ASSERT_TRUE(index.LoadTemplateIndex(ctx));
    ASSERT_EQ(index.templateCount[0], 1);
    CSlideCalcData example;
    ASSERT_EQ(example.ReadDataFile(TemplateFilePath(ctx, index.templateNumbers[0][0])), 1);
    EXPECT_FALSE(example.name().empty());
    CSlideCalcData defaults;
    defaults.setName(example.name());
    defaults.SetFileName_(example.fileName());
    EXPECT_TRUE(example == defaults);
}
