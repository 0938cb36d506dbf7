#include "project/CTemplateIndex.h"

#include "ProjectTestSupport.h"
#include "data/CSlideCalcData.h"
#include "platform/InputDiagnostics.h"
#include "project/TemplateChooser.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// A dialog that follows a script: a number selects that line, "y"/"n" deletes
// answering yes/no, "ok" ends it confirmed. It notes what it shows after each step.
struct ScriptedChooser : TemplateChooserUi {
    explicit ScriptedChooser(std::string s) : script(std::move(s)) {}
    bool run(TemplateChooser& c) override {
        std::istringstream in(script);
        std::string step;
        for (note(c); in >> step && step != "ok"; note(c)) {
            if (step == "y" || step == "n")
                seen += c.DeleteSelected(step == "y" ? yes : no) ? "deleted\n" : "kept\n";
            else
                c.select(std::stoi(step));
        }
        return step == "ok";
    }
    void note(const TemplateChooser& c) {
        for (const std::string& line : c.lines()) seen += line + "|";
        seen += " at " + std::to_string(c.selection()) + (c.canDelete() ? " deletable\n" : "\n");
    }
    std::string script, seen;
    AnsweringSinks yes{true}, no{false};
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
    for (int kind : {0, 50}) EXPECT_EQ(index.AddTemplate(kind), 0) << kind;
    for (auto [kind, at] : {std::pair{1, 0}, {0, 100}})
        EXPECT_FALSE(index.RemoveTemplate(kind, at)) << kind << " " << at;
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

TEST(TemplateIndex, StoringAsksTellsTheNameAndOverwritesTheOldFileOfAFreedNumber) {
    Library prog({"一", "二"});
    ASSERT_TRUE(prog.index.RemoveTemplate(0, 0));
    ASSERT_TRUE(prog.index.SaveTemplateIndex(prog.ctx));
    CSlideCalcData item = itemNamed("公路K5滑坡例题", 20.5f);
    ASSERT_TRUE(StoreTemplate(0, item, prog.index, prog.ctx));
    EXPECT_EQ(prog.sinks.messages.at(0), "是否要将当前的数据存入模板库 ?");
    EXPECT_EQ(prog.sinks.messages.at(1),
              "保存模板成功，此例题对应的模板名字为：\n     公路K5滑坡例题");
    CSlideCalcData read;
    ASSERT_EQ(read.ReadDataFile(prog.file("Template/Talvor_0001.DAT")), 1);
    EXPECT_EQ(read.name(), "公路K5滑坡例题");
    EXPECT_FLOAT_EQ(read.gamma, 20.5f);
    EXPECT_EQ(item.fileName(), "");  // the shared record keeps its own file name
    EXPECT_EQ(prog.onDisk().templateNumbers[0], prog.index.templateNumbers[0]);
    EXPECT_EQ(prog.index.templateNumbers[0][1], 1);
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

TEST(TemplateChooser, ListsTheFixedLinesThenTheTemplatesAndFillsTheRecordFromTheChoice) {
    Library prog({"甲例题"});
    ASSERT_TRUE(StoreTemplate(0, itemNamed("乙例题", 19.0f), prog.index, prog.ctx));
    CTemplateIndex withLost = prog.index;  // a template whose file went missing: empty line
    withLost.AddTemplate(0);
    withLost.SaveTemplateIndex(prog.ctx);
    CSlideCalcData record = itemNamed("上一个", 23.0f);
    ScriptedChooser ui("3 ok");
    ASSERT_TRUE(ChooseTemplate(0, record, prog.index, prog.ctx, ui));
    EXPECT_EQ(ui.seen, readBytes(TALVOR_TEST_DATA "/chooser/lists.txt"));
    EXPECT_EQ(record.name(), "乙例题");
    EXPECT_FLOAT_EQ(record.gamma, 19.0f);
    record.gamma = 23.0f;
    ScriptedChooser previous("1 ok"), first("ok"), cancel("0");
    ASSERT_TRUE(ChooseTemplate(0, record, prog.index, prog.ctx, previous));
    EXPECT_FLOAT_EQ(record.gamma, 23.0f);
    std::filesystem::remove(prog.file("Template/Talvor.MB"));
    ASSERT_TRUE(ChooseTemplate(0, record, prog.index, prog.ctx, first));
    EXPECT_EQ(record, CSlideCalcData());
    EXPECT_TRUE(prog.has("Template/Talvor.MB"));  // confirming writes the index, even unchanged
    record.gamma = 30.0f;
    EXPECT_FALSE(ChooseTemplate(0, record, prog.index, prog.ctx, cancel));
    EXPECT_FLOAT_EQ(record.gamma, 30.0f);
}

TEST(TemplateChooser, DeletingThenCancellingKeepsTheTemplate) {
    Library prog({"甲"});
    CSlideCalcData record;
    ScriptedChooser ui("2 y");
    EXPECT_FALSE(ChooseTemplate(0, record, prog.index, prog.ctx, ui));
    EXPECT_EQ(ui.seen, readBytes(TALVOR_TEST_DATA "/chooser/delete_cancel.txt"));
    EXPECT_EQ(ui.yes.messages, std::vector<std::string>{"是否真要从模板库中将: 甲 删除 ?"});
    EXPECT_EQ(prog.index.templateCount[0], 1);
    EXPECT_EQ(prog.onDisk().templateCount[0], 1);
}

TEST(TemplateChooser, DeletingTheLastLineSelectsTheNewLastLine) {
    Library prog({"甲", "乙", "丙"});
    CSlideCalcData record;
    ScriptedChooser ui("4 n y 2 y 99 ok");  // 99 lies outside the list: ignored
    ASSERT_TRUE(ChooseTemplate(0, record, prog.index, prog.ctx, ui));
    EXPECT_EQ(ui.seen, readBytes(TALVOR_TEST_DATA "/chooser/delete_last.txt"));
    EXPECT_EQ(record.name(), "乙");
    const CTemplateIndex onDisk = prog.onDisk();
    EXPECT_EQ(onDisk.templateCount[0], 1);
    EXPECT_EQ(onDisk.templateNumbers[0][0], 2);
}

TEST(TemplateIndex, ShippedStarterLibraryHoldsTheDefaultExampleWithNothingToTell) {
    WorkContext ctx;
    ctx.G_strExePath = TALVOR_SHARE_DIR "/";
    CTemplateIndex index;
    InputDiagnostics diag;
    ASSERT_TRUE(index.LoadTemplateIndex(ctx, &diag));
    EXPECT_TRUE(diag.items().empty());
    ASSERT_EQ(index.templateCount[0], 1);
    CSlideCalcData example;
    ASSERT_EQ(example.ReadDataFile(TemplateFilePath(ctx, index.templateNumbers[0][0])), 1);
    EXPECT_FALSE(example.name().empty());
    CSlideCalcData defaults;
    defaults.setName(example.name());
    defaults.SetFileName_(example.fileName());
    EXPECT_TRUE(example == defaults);
}

TEST(TemplateChooser, ReinforcementSettingsTravelWithTheTemplate) {
    Library prog;
    CSlideCalcData item = itemNamed("带配筋参数");
    item.SetFileName_(prog.file("&TLVR_0001.DAT"));
    writeBytes(prog.file("&TLVR_0001.PJ"), "cover=70\n");
    ASSERT_TRUE(StoreTemplate(0, item, prog.index, prog.ctx));
    EXPECT_EQ(readBytes(prog.file("Template/Talvor_0001.PJ")), "cover=70\n");

    CSlideCalcData record;
    ScriptedChooser ui("2 ok");
    ASSERT_TRUE(ChooseTemplate(0, record, prog.index, prog.ctx, ui, prog.file("&TLVR_0002.DAT")));
    EXPECT_EQ(record.name(), "带配筋参数");
    EXPECT_EQ(readBytes(prog.file("&TLVR_0002.PJ")), "cover=70\n");

    // A freed number reused by an item without settings keeps none of the old ones.
    ASSERT_TRUE(prog.index.RemoveTemplate(0, 0));
    ASSERT_TRUE(prog.index.SaveTemplateIndex(prog.ctx));
    ASSERT_TRUE(StoreTemplate(0, itemNamed("无配筋参数"), prog.index, prog.ctx));
    EXPECT_FALSE(prog.has("Template/Talvor_0001.PJ"));
}
