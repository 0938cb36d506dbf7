#include "project/CTemplateIndex.h"

#include "data/CSlideCalcData.h"
#include "platform/WorkContext.h"
#include "project/TemplateChooser.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace {

struct Program {
    TempDir dir;
    RecordingSinks sinks;
    WorkContext ctx;
    Program() {
        ctx.G_strExePath = dir.path();
        ctx.G_strWorkPath = dir.path();
        ctx.status = &sinks;
        ctx.messages = &sinks;
    }
};

// Answers every question with the same word.
class AnsweringSinks : public RecordingSinks {
  public:
    explicit AnsweringSinks(bool yes) : m_yes(yes) {}
    bool question(const std::string& text, bool) override {
        messages.push_back(text);
        return m_yes;
    }

  private:
    bool m_yes;
};

// A dialog driven by a script: the script acts on the chooser and says
// whether the dialog was confirmed.
class ScriptedChooser : public TemplateChooserUi {
  public:
    explicit ScriptedChooser(std::function<bool(TemplateChooser&)> script)
        : m_script(std::move(script)) {}
    bool run(TemplateChooser& chooser) override {
        shownLines = chooser.lines();
        return m_script(chooser);
    }
    std::vector<std::string> shownLines;

  private:
    std::function<bool(TemplateChooser&)> m_script;
};

CSlideCalcData itemNamed(const std::string& name, float gamma) {
    CSlideCalcData item;
    item.setName(name);
    item.gamma = gamma;
    return item;
}

}  // namespace

TEST(TemplateIndex, IndexFileHasTheFixedLayout) {
    CTemplateIndex index;
    EXPECT_EQ(index.AddTemplate(0), 1);
    EXPECT_EQ(index.AddTemplate(0), 2);
    std::string bytes = index.FormatIndexFile();
    ASSERT_EQ(bytes.size(), 20250u);
    EXPECT_EQ(bytes.substr(0, 25), "Morvane Talvor MoBan v1.0");
    EXPECT_EQ(bytes.substr(25, 25), std::string(25, '\0'));
    EXPECT_EQ(bytes[50], 2);   // templateCount[0]
    EXPECT_EQ(bytes[250], 1);  // templateNumbers[0][0]
    EXPECT_EQ(bytes[254], 2);
    CTemplateIndex read;
    ASSERT_TRUE(read.ParseIndexFile(bytes));
    EXPECT_EQ(read, index);
}

TEST(TemplateIndex, NumbersAreReusedAndCountsLimited) {
    CTemplateIndex index;
    for (int i = 1; i <= 100; ++i) ASSERT_EQ(index.AddTemplate(0), i);
    EXPECT_EQ(index.AddTemplate(0), 0);
    EXPECT_TRUE(index.RemoveTemplate(0, 4));  // number 5
    EXPECT_EQ(index.templateNumbers[0][4], 6);
    EXPECT_EQ(index.templateNumbers[0][99], 0);
    EXPECT_EQ(index.AddTemplate(0), 5);
    EXPECT_EQ(index.templateNumbers[0][99], 5);
    EXPECT_FALSE(index.RemoveTemplate(1, 0));
    EXPECT_FALSE(index.RemoveTemplate(0, 100));
    EXPECT_EQ(index.AddTemplate(50), 0);
}

TEST(TemplateIndex, LoadCreatesTheDirectoryAndRefusesForeignFiles) {
    Program prog;
    CTemplateIndex index;
    index.AddTemplate(0);
    CTemplateIndex before = index;
    EXPECT_FALSE(index.LoadTemplateIndex(prog.ctx));
    EXPECT_TRUE(std::filesystem::is_directory(prog.dir.file("Template")));
    EXPECT_EQ(index, before);
    writeBytes(prog.dir.file("Template/Talvor.MB"), "Morvane Talvor MoBan v1.0 but far too short");
    EXPECT_FALSE(index.LoadTemplateIndex(prog.ctx));
    std::string bad = CTemplateIndex().FormatIndexFile();
    bad[50] = 120;  // more templates than a kind holds
    writeBytes(prog.dir.file("Template/Talvor.MB"), bad);
    EXPECT_FALSE(index.LoadTemplateIndex(prog.ctx));
    std::string foreign = CTemplateIndex().FormatIndexFile();
    foreign[0] = 'X';
    writeBytes(prog.dir.file("Template/Talvor.MB"), foreign);
    EXPECT_FALSE(index.LoadTemplateIndex(prog.ctx));
    EXPECT_EQ(index, before);
    ASSERT_TRUE(index.SaveTemplateIndex(prog.ctx));
    CTemplateIndex read;
    ASSERT_TRUE(read.LoadTemplateIndex(prog.ctx));
    EXPECT_EQ(read, index);
}

TEST(TemplateIndex, StoringAsksWritesTheTemplateAndTellsItsName) {
    Program prog;
    CTemplateIndex index;
    CSlideCalcData item = itemNamed("公路K5滑坡例题", 20.5f);
    ASSERT_TRUE(StoreTemplate(0, item, index, prog.ctx));
    ASSERT_EQ(prog.sinks.messages.size(), 2u);
    EXPECT_EQ(prog.sinks.messages[0], "是否要将当前的数据存入模板库 ?");
    EXPECT_EQ(prog.sinks.messages[1],
              "保存模板成功，此例题对应的模板名字为：\n     公路K5滑坡例题");
    CSlideCalcData read;
    ASSERT_EQ(read.ReadDataFile(prog.dir.file("Template/Talvor_0001.DAT")), 1);
    EXPECT_FLOAT_EQ(read.gamma, 20.5f);
    // The shared record keeps its own file name.
    EXPECT_EQ(item.fileName(), "");
    CTemplateIndex saved;
    ASSERT_TRUE(saved.LoadTemplateIndex(prog.ctx));
    EXPECT_EQ(saved.templateCount[0], 1);
}

TEST(TemplateIndex, AnsweringNoStoresNothing) {
    Program prog;
    AnsweringSinks no(false);
    prog.ctx.messages = &no;
    CTemplateIndex index;
    EXPECT_FALSE(StoreTemplate(0, CSlideCalcData(), index, prog.ctx));
    EXPECT_FALSE(std::filesystem::exists(prog.dir.file("Template/Talvor_0001.DAT")));
    EXPECT_EQ(index.templateCount[0], 0);
}

TEST(TemplateIndex, AFullKindCannotStoreATemplate) {
    Program prog;
    CTemplateIndex full;
    for (int i = 0; i < 100; ++i) full.AddTemplate(0);
    ASSERT_TRUE(full.SaveTemplateIndex(prog.ctx));
    CTemplateIndex index;
    EXPECT_FALSE(StoreTemplate(0, CSlideCalcData(), index, prog.ctx));
    EXPECT_EQ(prog.sinks.messages.back(), "不能保存模板 !");
}

TEST(TemplateIndex, FreedNumbersAreReusedAndTheirOldFileOverwritten) {
    Program prog;
    CTemplateIndex index;
    ASSERT_TRUE(StoreTemplate(0, itemNamed("一", 18.0f), index, prog.ctx));
    ASSERT_TRUE(StoreTemplate(0, itemNamed("二", 19.0f), index, prog.ctx));
    ASSERT_TRUE(index.RemoveTemplate(0, 0));
    ASSERT_TRUE(index.SaveTemplateIndex(prog.ctx));
    ASSERT_TRUE(StoreTemplate(0, itemNamed("三", 21.0f), index, prog.ctx));
    EXPECT_EQ(index.templateNumbers[0][1], 1);
    CSlideCalcData read;
    ASSERT_EQ(read.ReadDataFile(prog.dir.file("Template/Talvor_0001.DAT")), 1);
    EXPECT_EQ(read.name(), "三");
}

TEST(TemplateChooser, ListsTheFixedLinesThenTheTemplates) {
    Program prog;
    CTemplateIndex index;
    StoreTemplate(0, itemNamed("甲例题", 18.0f), index, prog.ctx);
    StoreTemplate(0, itemNamed("乙例题", 19.0f), index, prog.ctx);
    // A template whose file went missing shows an empty line.
    CTemplateIndex withLost = index;
    withLost.AddTemplate(0);
    withLost.SaveTemplateIndex(prog.ctx);
    CSlideCalcData record = itemNamed("上一个", 23.0f);
    ScriptedChooser ui([](TemplateChooser& c) {
        EXPECT_EQ(c.selection(), 0);
        EXPECT_FALSE(c.canDelete());
        c.select(3);
        return true;
    });
    ASSERT_TRUE(ChooseTemplate(0, record, index, prog.ctx, ui));
    EXPECT_EQ(ui.shownLines,
              (std::vector<std::string>{"系统默认例题", "前一个例题", "甲例题", "乙例题", ""}));
    EXPECT_EQ(record.name(), "乙例题");
    EXPECT_FLOAT_EQ(record.gamma, 19.0f);
}

TEST(TemplateChooser, FixedLinesGiveTheDefaultsOrKeepTheRecord) {
    Program prog;
    CTemplateIndex index;
    CSlideCalcData record = itemNamed("上一个", 23.0f);
    ScriptedChooser previous([](TemplateChooser& c) {
        c.select(1);
        return true;
    });
    ASSERT_TRUE(ChooseTemplate(0, record, index, prog.ctx, previous));
    EXPECT_FLOAT_EQ(record.gamma, 23.0f);
    ScriptedChooser first([](TemplateChooser&) { return true; });
    ASSERT_TRUE(ChooseTemplate(0, record, index, prog.ctx, first));
    EXPECT_EQ(record, CSlideCalcData());
    // Confirming writes the index even when nothing changed.
    EXPECT_TRUE(std::filesystem::exists(prog.dir.file("Template/Talvor.MB")));
    record.gamma = 30.0f;
    ScriptedChooser cancel([](TemplateChooser&) { return false; });
    EXPECT_FALSE(ChooseTemplate(0, record, index, prog.ctx, cancel));
    EXPECT_FLOAT_EQ(record.gamma, 30.0f);
}

TEST(TemplateChooser, DeletingThenCancellingKeepsTheTemplate) {
    Program prog;
    CTemplateIndex index;
    StoreTemplate(0, itemNamed("甲", 18.0f), index, prog.ctx);
    AnsweringSinks yes(true);
    CSlideCalcData record;
    ScriptedChooser ui([&](TemplateChooser& c) {
        c.select(2);
        EXPECT_TRUE(c.canDelete());
        EXPECT_TRUE(c.DeleteSelected(yes));
        EXPECT_EQ(c.lines().size(), 2u);
        return false;
    });
    EXPECT_FALSE(ChooseTemplate(0, record, index, prog.ctx, ui));
    EXPECT_EQ(yes.messages.at(0), "是否真要从模板库中将: 甲 删除 ?");
    EXPECT_EQ(index.templateCount[0], 1);
    CTemplateIndex onDisk;
    ASSERT_TRUE(onDisk.LoadTemplateIndex(prog.ctx));
    EXPECT_EQ(onDisk.templateCount[0], 1);
}

TEST(TemplateChooser, DeletingTheLastLineSelectsTheNewLastLine) {
    Program prog;
    CTemplateIndex index;
    StoreTemplate(0, itemNamed("甲", 18.0f), index, prog.ctx);
    StoreTemplate(0, itemNamed("乙", 19.0f), index, prog.ctx);
    StoreTemplate(0, itemNamed("丙", 20.0f), index, prog.ctx);
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
    ASSERT_TRUE(ChooseTemplate(0, record, index, prog.ctx, ui));
    EXPECT_EQ(record.name(), "乙");
    CTemplateIndex onDisk;
    ASSERT_TRUE(onDisk.LoadTemplateIndex(prog.ctx));
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
