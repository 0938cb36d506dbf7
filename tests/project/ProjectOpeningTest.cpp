// Opening a project directory and confirming the project-information dialog.
#include "project/ProjectOpening.h"

#include "project/CProjectData.h"
#include "project/CProjectInfo.h"
#include "ProjectTestSupport.h"

#include <gtest/gtest.h>

TEST(ProjectOpening, MissingFileIsANewProjectAndADamagedOneIsKeptUntilAChange) {
    Program p;
    CProjectData project;
    EXPECT_EQ(OpenProjectRecord(p.ctx, project), ProjectLoad::Created);
    EXPECT_EQ(project.kindIncluded[0], 1);
    EXPECT_TRUE(project.modified) << "a new project file is written at the next save";

    ASSERT_NE(project.AddItem(0), 0);
    ASSERT_TRUE(project.SaveProject(p.ctx));
    CProjectData reopened;
    EXPECT_EQ(OpenProjectRecord(p.ctx, reopened), ProjectLoad::Loaded);
    EXPECT_EQ(reopened.itemCount[0], 1);
    EXPECT_FALSE(reopened.modified);

    const std::string damaged = "Morvane Talvor Pro";  // cut inside the magic
    writeBytes(p.file("Talvor.PRJ"), damaged);
    EXPECT_EQ(OpenProjectRecord(p.ctx, reopened), ProjectLoad::Damaged);
    EXPECT_EQ(reopened.itemCount[0], 0);
    ASSERT_FALSE(p.sinks.statuses.empty()) << "what was wrong in the file is told";
    EXPECT_NE(p.sinks.statuses.back().find("Talvor.PRJ"), std::string::npos);
    EXPECT_TRUE(reopened.SaveProject(p.ctx));
    EXPECT_EQ(readBytes(p.file("Talvor.PRJ")), damaged) << "nothing changed, nothing written";
    reopened.AddItem(0);
    EXPECT_TRUE(reopened.SaveProject(p.ctx));
    EXPECT_EQ(readBytes(p.file("Talvor.BAK")), damaged) << "the damaged file is kept as backup";
}

TEST(ProjectOpening, ConfirmingTrimsMakesTheDirectoryAndWritesTheInformation) {
    TempDir root;
    CProjectInfo info;
    info.name = "某某滑坡抢险工程";
    ConfirmedDirectory made = ConfirmProjectDirectory("  " + root.file("a/b") + " ", info);
    EXPECT_EQ(made.outcome, ProjectDirOutcome::Ready);
    EXPECT_EQ(made.workPath, root.file("a/b/"));
    CProjectInfo back;
    ASSERT_TRUE(back.ReadInfoFile(made.workPath));
    EXPECT_EQ(back.name, info.name);

    writeBytes(root.file("file"), "x");
    EXPECT_EQ(ConfirmProjectDirectory(root.file("file/sub"), info).outcome,
              ProjectDirOutcome::NotCreated);
    EXPECT_EQ(ConfirmProjectDirectory("   ", info).outcome, ProjectDirOutcome::NotCreated);
}
