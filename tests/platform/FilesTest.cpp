#include "platform/AtomicFile.h"
#include "platform/DirectoryNames.h"
#include "platform/ReportWriter.h"
#include "platform/TextEncoding.h"
#include "platform/WorkContext.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

namespace {

int countFiles(const std::string& dir) {
    int n = 0;
    for (auto& e : std::filesystem::directory_iterator(dir)) n += e.is_regular_file();
    return n;
}

}  // namespace

TEST(AtomicFile, ReplacesTheFileWholeOrNotAtAllAndKeepsADataFilesPreviousVersion) {
    TempDir dir;
    ASSERT_EQ(writeFileAtomically(dir.file("f"), "first"), 1);
    ASSERT_EQ(writeFileAtomically(dir.file("f"), "second version"), 1);
    EXPECT_EQ(readBytes(dir.file("f")), "second version");
    HalfWriter full;
    EXPECT_EQ(full.write(dir.file("f"), "third version that does not fit"), 0);
    EXPECT_EQ(readBytes(dir.file("f")), "second version");
    EXPECT_EQ(countFiles(dir.path()), 1);  // the temporary was removed
    EXPECT_EQ(writeFileAtomically(dir.file("missing/f"), "x"), 0);
    // A data file written over keeps its previous version, one generation deep.
    const std::string item = dir.file("&TLVR_0001.DAT"), bak = dir.file("&TLVR_0001.DAT.BAK");
    AtomicFileWriter writer;
    ASSERT_EQ(writer.writeKeepingPrevious(item, "v1"), 1);
    EXPECT_FALSE(std::filesystem::exists(bak));
    ASSERT_EQ(writer.writeKeepingPrevious(item, "v2"), 1);
    ASSERT_EQ(writer.writeKeepingPrevious(item, "v3"), 1);
    // Writing the same bytes again keeps v2 as the version before.
    ASSERT_EQ(writer.writeKeepingPrevious(item, "v3"), 1);
    EXPECT_EQ(readBytes(item), "v3");
    EXPECT_EQ(readBytes(bak), "v2");
    EXPECT_EQ(full.writeKeepingPrevious(item, "v4"), 0);
    EXPECT_EQ(readBytes(item), "v3");
    EXPECT_EQ(readBytes(bak), "v2");
    // An item called "Talvor.TV" keeps its own backup beside the project's.
    EXPECT_EQ(PreviousVersionPath(dir.file("Talvor.TV")), dir.file("Talvor.TV.BAK"));
    EXPECT_EQ(PreviousVersionPath(dir.file("a.bak")), dir.file("a.bak.BAK"));
}

TEST(AtomicFile, TemporariesOfAKilledRunAreRemovedByTheNextWriteOnlyWhenStale) {
    TempDir dir;
    namespace fs = std::filesystem;
    const auto old = fs::file_time_type::clock::now() - std::chrono::minutes(5);
    for (const char* name :
         {"r.RTF.tmp-Ab3x9Z", "r.RTF.tmp-young1", "notes.tmp-1", "keep.tmp-ABCDEFG"}) {
        writeBytes(dir.file(name), "x");
        if (std::string(name) != "r.RTF.tmp-young1") fs::last_write_time(dir.file(name), old);
    }
    ASSERT_EQ(writeFileAtomically(dir.file("other.DXF"), "y"), 1);
    EXPECT_FALSE(fs::exists(dir.file("r.RTF.tmp-Ab3x9Z")));
    for (const char* kept : {"r.RTF.tmp-young1", "notes.tmp-1", "keep.tmp-ABCDEFG"})
        EXPECT_TRUE(fs::exists(dir.file(kept))) << kept;
}

// A listing taken once must find what the resolver on disk finds, for exact
// names, other cases, names that differ by more than case, and a missing or
// unreadable directory.
TEST(DirectoryNames, FindWhatTheResolverOnDiskFinds) {
    TempDir dir;
    for (const char* name : {"&TLVR_0001.DAT", "&tlvr_0002.dat", "Talvor.PRJ", "a.txt", "A.TXT",
                             "&TLVR_0001_TLVR.RTF"})
        writeBytes(dir.file(name), "x");
    std::filesystem::create_directory(dir.file("Removed"));
    const DirectoryNames names(dir.path());
    for (const char* asked :
         {"&TLVR_0001.DAT", "&tlvr_0001.dat", "&TLVR_0002.DAT", "talvor.prj", "a.txt", "A.TXT",
          "a.TXT", "removed", "&TLVR_0001", "&TLVR_0003.DAT", "&TLVR_0001_TLVR.rtf", ""}) {
        SCOPED_TRACE(asked);
        EXPECT_EQ(names.resolve(asked), resolveInDir(dir.path(), asked));
    }
    EXPECT_EQ(names.resolve("&tlvr_0001.DAT"), dir.file("&TLVR_0001.DAT"));
    const DirectoryNames none(dir.file("missing"));
    EXPECT_EQ(none.resolve("x.DAT"), dir.file("missing/x.DAT"));
}

TEST(WorkContext, ProjectFilesAreFoundIgnoringCase) {
    TempDir dir;
    writeBytes(dir.file("&TLVR_0001.DAT"), "x");
    WorkContext ctx;
    ctx.G_strWorkPath = withTrailingSlash(dir.path().substr(0, dir.path().size() - 1));
    EXPECT_EQ(ctx.G_strWorkPath, dir.path());
    EXPECT_TRUE(open_file_no_comment(ctx, "&TLVR_0001.dat"));
    EXPECT_FALSE(open_file_no_comment(ctx, "&TLVR_0002.dat"));
}

TEST(ReportWriter, FormatsLinesAndPadsChineseFieldsByGbkWidth) {
    ReportWriter r;
    r.printf("    X = %.3fm\n", 6.0);
    r.printf("[%s]\n", gbkPad("矩形", 20).c_str());
    r.printf("[%s]\n", gbkPad("三角形", -20).c_str());
    MorvaneScript(r, "InsertDxf=a_TLVR_JT.DXF");
    EXPECT_EQ(r.utf8(),
              "    X = 6.000m\n[                矩形]\n[三角形              ]\n"
              "%%%[MorvaneScript%%%InsertDxf=a_TLVR_JT.DXF%%%MorvaneScript]%%%\n");
    std::string longText(3000, 'z');
    r.printf("%s", longText.c_str());
    EXPECT_EQ(r.utf8().size(), 15u + 25 + 26 + 64 + 3000);
    TempDir dir;
    ASSERT_EQ(r.saveGbk(dir.file("r.RTF")), 1);
    EXPECT_EQ(gbkToUtf8(readBytes(dir.file("r.RTF"))), r.utf8());
}
