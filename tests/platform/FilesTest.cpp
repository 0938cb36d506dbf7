#include "platform/AtomicFile.h"
#include "platform/ReportWriter.h"
#include "platform/TextEncoding.h"
#include "platform/WorkContext.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class HalfWriter : public AtomicFileWriter {
  protected:
    bool writeAll(std::FILE* file, std::string_view bytes) override {
        std::fwrite(bytes.data(), 1, bytes.size() / 2, file);
        return false;
    }
};

int countFiles(const std::string& dir) {
    int n = 0;
    for (auto& e : std::filesystem::directory_iterator(dir)) n += e.is_regular_file();
    return n;
}

}  // namespace

TEST(AtomicFile, ReplacesTheFileWholeOrNotAtAll) {
    TempDir dir;
    ASSERT_EQ(writeFileAtomically(dir.file("f"), "first"), 1);
    ASSERT_EQ(writeFileAtomically(dir.file("f"), "second version"), 1);
    EXPECT_EQ(readBytes(dir.file("f")), "second version");
    HalfWriter full;
    EXPECT_EQ(full.write(dir.file("f"), "third version that does not fit"), 0);
    EXPECT_EQ(readBytes(dir.file("f")), "second version");
    EXPECT_EQ(countFiles(dir.path()), 1);  // the temporary was removed
    EXPECT_EQ(writeFileAtomically(dir.file("missing/f"), "x"), 0);
}

TEST(WorkContext, ProjectFilesAreFoundIgnoringCase) {
    TempDir dir;
    writeBytes(dir.file("&TLVR_0001.DAT"), "x");
    EXPECT_EQ(resolveInDir(dir.path(), "&tlvr_0001.dat"), dir.file("&TLVR_0001.DAT"));
    EXPECT_EQ(resolveInDir(dir.path(), "&TLVR_0001.DAT"), dir.file("&TLVR_0001.DAT"));
    // No match: the name as given, so a new file is created under it.
    EXPECT_EQ(resolveInDir(dir.path(), "new.dat"), dir.file("new.dat"));
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
