// Removed items and files met under a new number go to the removed-items
// folder byte for byte; nothing under a reused number is overwritten.
#include "project/ItemFiles.h"

#include "ProjectTestSupport.h"
#include "project/CProjectData.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const std::vector<std::string> kItemFiles = {"&TLVR_0002.DAT.BAK", "&TLVR_0002.DAT",
                                             "&TLVR_0002_TLVR.RTF", "&TLVR_0002_TLVR_JT.DXF"};

void writeItemFiles(const Program& prog, const std::string& version) {
    for (const std::string& name : kItemFiles) writeBytes(prog.file(name), name + version);
}

}  // namespace

TEST(ItemFiles, RemovedItemsKeepTheirFilesByteForByteAndRemovalsNeverCollide) {
    Program prog;
    CProjectData p;
    for (int i = 0; i < 3; ++i) p.AddItem(0);
    writeBytes(prog.file("&TLVR_0003.DAT"), "item 3");  // another item's files stay
    writeBytes(prog.file("&TLVR_00020.DAT"), "not item 2");
    for (const char* version : {" first", " second"}) {
        writeItemFiles(prog, version);
        auto at = std::find(p.itemNumbers[0].begin(), p.itemNumbers[0].end(), 2);
        ASSERT_EQ(RemoveProjectItem(p, prog.ctx, 0, int(at - p.itemNumbers[0].begin())), 1);
        // The next add reuses number 2 and finds nothing under it.
        ASSERT_EQ(AddProjectItem(p, prog.ctx, 0), 2);
        EXPECT_TRUE(ItemFileNames(prog.ctx, 2).empty());
    }
    for (auto [folder, version] :
         {std::pair{"Removed/&TLVR_0002-1/", " first"}, {"Removed/&TLVR_0002-2/", " second"}})
        for (const std::string& name : kItemFiles)
            EXPECT_EQ(readBytes(prog.file(folder + name)), name + version) << folder << name;
    EXPECT_EQ(readBytes(prog.file("&TLVR_0003.DAT")), "item 3");
    EXPECT_TRUE(prog.has("&TLVR_00020.DAT"));
    ASSERT_EQ(prog.sinks.statuses.size(), 2u);
    EXPECT_EQ(prog.sinks.statuses[1],
              "101 已删除项目 &TLVR_0002 的 4 个文件已移到 " + prog.file("Removed/&TLVR_0002-2/"));
    EXPECT_EQ(RemoveProjectItem(p, prog.ctx, 0, 3), 0);
}

TEST(ItemFiles, AFileUnderTheAllocatedNumberIsMovedAsideBeforeTheNewItemIsWritten) {
    Program prog;
    CProjectData damaged;  // its list has lost item 1, whose data file is on disk
    writeBytes(prog.file("&tlvr_0001.dat"), "engineer's item");
    ASSERT_EQ(AddProjectItem(damaged, prog.ctx, 0), 1);
    EXPECT_EQ(readBytes(prog.file("Removed/&TLVR_0001-1/&tlvr_0001.dat")), "engineer's item");
    EXPECT_FALSE(prog.has("&tlvr_0001.dat"));
    ASSERT_EQ(prog.sinks.statuses.size(), 1u);
    EXPECT_NE(prog.sinks.statuses[0].find("Removed/&TLVR_0001-1/"), std::string::npos);
    // A folder that cannot be made leaves the file and the list as they were.
    writeBytes(prog.file("&TLVR_0002.DAT"), "copied in by hand");
    std::filesystem::remove_all(prog.file("Removed"));
    writeBytes(prog.file("Removed"), "a file in the way");
    CProjectData before = damaged;
    EXPECT_EQ(AddProjectItem(damaged, prog.ctx, 0), 0);
    EXPECT_TRUE(damaged == before);
    EXPECT_EQ(readBytes(prog.file("&TLVR_0002.DAT")), "copied in by hand");
}

// A removal counts only once the project file is saved: when it cannot be
// (a folder of its name is in the way, as a full disk refuses it too), the
// files come back and the list stays, and the message says so. An add whose
// project file cannot be saved leaves no data file under an unlisted number.
TEST(ItemFiles, ARemovalOrAddWhoseProjectFileCannotBeSavedLeavesListAndFolderAgreeing) {
    Program prog;
    CProjectData p;
    for (int i = 0; i < 3; ++i) p.AddItem(0);
    writeItemFiles(prog, " v");
    std::filesystem::create_directories(prog.file("Talvor.PRJ/in the way"));
    const CProjectData before = p;
    EXPECT_EQ(RemoveProjectItemAndSave(p, prog.ctx, 0, 1), 0);
    EXPECT_EQ(p.itemNumbers, before.itemNumbers);
    EXPECT_EQ(p.itemCount, before.itemCount);
    for (const std::string& name : kItemFiles) EXPECT_EQ(readBytes(prog.file(name)), name + " v");
    EXPECT_FALSE(prog.has("Removed/&TLVR_0002-1"));
    ASSERT_FALSE(prog.sinks.statuses.empty());
    EXPECT_EQ(prog.sinks.statuses.back(),
              "301 无法保存工程文件 " + prog.file("Talvor.PRJ") + ", 项目未删除, 文件留在原处");

    ASSERT_EQ(AddProjectItem(p, prog.ctx, 0), 4);
    writeBytes(prog.file("&TLVR_0004.dat"), "new item");
    EXPECT_EQ(SaveProjectWithNewItem(p, prog.ctx, 4), 0);
    EXPECT_FALSE(prog.has("&TLVR_0004.dat"));
    EXPECT_EQ(prog.sinks.statuses.back(),
              "301 无法保存工程文件 " + prog.file("Talvor.PRJ") + ", 未增加项目");

    // With the way clear, the removal is saved as it is done.
    std::filesystem::remove_all(prog.file("Talvor.PRJ"));
    ASSERT_EQ(RemoveProjectItemAndSave(p, prog.ctx, 0, 1), 1);
    CProjectData saved;
    ASSERT_TRUE(saved.LoadProject(prog.ctx));
    EXPECT_EQ(saved.itemCount[0], 3);
    EXPECT_EQ(saved.itemNumbers[0][1], 3);
    EXPECT_TRUE(prog.has("Removed/&TLVR_0002-1/&TLVR_0002.DAT"));
}
