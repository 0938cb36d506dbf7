// Hostile inputs and a full disk through the command line: what is given as
// an item file or a report (a sparse 3 GiB file, /dev/zero, a pipe nobody
// writes to, a folder) ends at once with a message naming it; a value that is
// no number is named and --strict writes nothing; and on a disk too full for
// what a run writes, calc and project commands tell the truth. The full-disk
// cases mount a small tmpfs, which needs root; elsewhere they say they were
// skipped. The peak memory of the commands is printed.
#include "support/CliRun.h"

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#ifdef TALVOR_CLI
namespace {

namespace fs = std::filesystem;

// Only stops a command that would never end; no load makes a run this long.
const std::string kGuard = "timeout 600";

long peakChildMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return usage.ru_maxrss / 1024;
}

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// A tmpfs of `kilobytes` mounted on a fresh folder for the life of the
// object, and always unmounted after it.
class SmallDisk {
  public:
    explicit SmallDisk(int kilobytes) {
        m_path = m_dir.file("disk");
        fs::create_directory(m_path);
        const std::string options = "size=" + std::to_string(kilobytes) + "k";
        if (::mount("talvor-test", m_path.c_str(), "tmpfs", 0, options.c_str()) == 0)
            m_mounted = true;
        else
            m_why = std::strerror(errno);
    }
    ~SmallDisk() {
        if (m_mounted) ::umount2(m_path.c_str(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return m_mounted; }
    const std::string& why() const { return m_why; }
    std::string file(const std::string& name) const { return m_path + "/" + name; }

    // Fills the disk until only about `kilobytes` are left.
    void leaveFree(long kilobytes) const {
        struct statvfs st {};
        ::statvfs(m_path.c_str(), &st);
        const long long free = static_cast<long long>(st.f_bavail) * st.f_frsize;
        long long fill = free - kilobytes * 1024LL;
        std::ofstream out(file("filler"), std::ios::binary | std::ios::app);
        const std::string block(4096, 'f');
        for (; fill > 0; fill -= 4096) out.write(block.data(), 4096);
    }

  private:
    TempDir m_dir;
    std::string m_path;
    bool m_mounted = false;
    std::string m_why;
};

}  // namespace

// Each hostile input ends at once, with a message naming it, whatever the
// command: nothing is read from a device or a pipe, nothing of a file larger
// than any real one.
TEST(HostileInputs, NoFileAFileTooLargeADeviceOrAPipeEndAtOnceWithAMessage) {
    CliRun cli;
    writeBytes(cli.dir.file("sparse.TV"), "");
    ASSERT_EQ(::truncate(cli.dir.file("sparse.TV").c_str(), 3LL << 30), 0);
    ASSERT_EQ(::mkfifo(cli.dir.file("pipe.TV").c_str(), 0600), 0);
    fs::create_directory(cli.dir.file("folder.TV"));
    const std::pair<std::string, std::string> inputs[] = {
        {cli.dir.file("sparse.TV"), "文件有 3.0 GB, 超过上限 "},
        {"/dev/zero", "不是普通文件"},
        {cli.dir.file("pipe.TV"), "不是普通文件"},
        {cli.dir.file("folder.TV"), "不是普通文件"},
    };
    for (const auto& [path, reason] : inputs) {
        for (const std::string command : {"calc", "table", "report"}) {
            const int status = cli.run(command + " " + CliRun::quoted(path), kGuard);
            std::printf("%-7s %-40s exit %d, peak so far %ld MB\n", command.c_str(),
                        fs::path(path).filename().c_str(), status, peakChildMegabytes());
            EXPECT_TRUE(status == 1 || status == 2) << command << " " << path << ": " << status;
            EXPECT_TRUE(has(cli.err(), path)) << cli.err();
            EXPECT_TRUE(has(cli.err(), reason)) << command << " " << path << ": " << cli.err();
        }
    }
}

// gamma "nan" is named with the file, line and field, and --strict neither
// calculates nor writes; read as 0 without it, no "nan" reaches the report.
TEST(HostileInputs, ANanIsNamedAndStrictWritesNothing) {
    CliRun cli;
    ASSERT_EQ(cli.run("new item.TV"), 0);
    std::string text = cli.read("item.TV");
    const size_t basic = text.find('\n', text.find('\n') + 1) + 1;
    text.replace(basic, text.find(',', basic) - basic, "nan");
    writeBytes(cli.dir.file("item.TV"), text);
    EXPECT_EQ(cli.run("calc --strict item.TV"), 2);
    EXPECT_TRUE(has(cli.err(), "item.TV 第 3 行 gamma: “nan” 不是可用的数, 读作 0")) << cli.err();
    for (const auto& e : fs::directory_iterator(cli.dir.path()))
        EXPECT_FALSE(has(e.path().filename().string(), "_TLVR")) << e.path();
    cli.run("calc --keep-directives --text item.TV");
    EXPECT_FALSE(has(cli.out(), "nan")) << cli.out();
    EXPECT_FALSE(has(cli.out(), "inf")) << cli.out();
}

// A slip segment a million kilometres long is named, and its drawings stay
// the size of an ordinary item's.
TEST(HostileInputs, AbsurdLengthsAreNamedAndDrawingsStaySmall) {
    CliRun cli;
    ASSERT_EQ(cli.run("new item.TV"), 0);
    std::string text = cli.read("item.TV");
    const size_t firstSlip = text.find("20.00000,2.00000");
    ASSERT_NE(firstSlip, std::string::npos);
    text.replace(firstSlip, 8, "1e9");
    writeBytes(cli.dir.file("item.TV"), text);
    cli.run("calc --keep-directives item.TV", kGuard);
    EXPECT_TRUE(has(cli.err(), "slip[1].dx: “1e+09” 超出边坡的范围")) << cli.err();
    for (const char* drawing : {"item_TLVR_JT.DXF", "item_TLVR_SYXHL.DXF"}) {
        std::error_code ec;
        const auto size = fs::file_size(cli.dir.file(drawing), ec);
        std::printf("%s: %ju bytes\n", drawing, static_cast<uintmax_t>(size));
        EXPECT_LT(size, 1u << 20) << drawing;
    }
}

// On a disk with less and less room, calc either says "计算成功 !" with its
// report and every drawing written, or "计算失败 !", exit 1, naming what is
// missing; never "计算成功" with a file short.
TEST(FullDisk, CalcSaysSuccessOnlyWithEveryFileWritten) {
    for (long freeKb : {0L, 12L, 48L, 160L, 4096L}) {
        SmallDisk disk(8192);
        if (!disk.mounted()) GTEST_SKIP() << "no tmpfs could be mounted here: " << disk.why();
        CliRun cli;
        ASSERT_EQ(cli.run("new " + CliRun::quoted(disk.file("item.TV"))), 0);
        disk.leaveFree(freeKb);
        const int status = cli.run("calc " + CliRun::quoted(disk.file("item.TV")), kGuard);
        const std::string err = cli.err();
        bool all = true;
        for (const char* name : {"item_TLVR.RTF", "item_TLVR_JT.DXF", "item_TLVR_SYXHL.DXF"})
            all = all && fs::exists(disk.file(name));
        std::printf("%5ld KB free: exit %d, all files %s\n", freeKb, status, all ? "yes" : "no");
        if (status == 0) {
            EXPECT_TRUE(all) << err;
            EXPECT_TRUE(has(err, "计算成功 !")) << err;
            continue;
        }
        EXPECT_EQ(status, 1) << err;
        EXPECT_TRUE(has(err, "计算失败 !")) << err;
        EXPECT_FALSE(has(err, "计算成功")) << err;
        EXPECT_TRUE(has(err, "无法写入") && has(err, disk.file("item"))) << err;
        EXPECT_TRUE(freeKb < 4096) << "a run that fits failed: " << err;
    }
}

// On a full disk, `project remove` leaves the item listed and in place, or
// gone from both the list and the folder, with a message either way; and
// `project calc` lists an item it could not finish.
TEST(FullDisk, ProjectRemoveAndCalcKeepListFolderAndMessageAgreeing) {
    SmallDisk disk(4096);
    if (!disk.mounted()) GTEST_SKIP() << "no tmpfs could be mounted here: " << disk.why();
    CliRun cli;
    const std::string project = CliRun::quoted(disk.file("p"));
    ASSERT_EQ(cli.run("project " + project + " add"), 0);
    ASSERT_EQ(cli.run("project " + project + " add"), 0);
    disk.leaveFree(0);
    const int status = cli.run("project " + project + " calc", kGuard);
    EXPECT_EQ(status, 1) << cli.err();
    EXPECT_TRUE(has(cli.err(), "以下项目计算失败:")) << cli.err();
    EXPECT_FALSE(has(cli.out(), "计算成功")) << cli.out();

    const int removed = cli.run("project " + project + " remove 1", kGuard);
    const std::string told = cli.err();
    cli.run("project " + project + " list");
    const bool listed = has(cli.out(), "&TLVR_0001.DAT");
    bool inPlace = false;  // the list names "&TLVR_0001.DAT", add wrote ".dat"
    for (const auto& e : fs::directory_iterator(disk.file("p")))
        inPlace |= e.path().filename() == "&TLVR_0001.dat";
    std::printf("remove on a full disk: exit %d, listed %d, in place %d\n%s", removed, listed,
                inPlace, told.c_str());
    EXPECT_EQ(listed, inPlace) << told;
    EXPECT_EQ(removed == 0, !listed) << told;
    EXPECT_TRUE(has(told, removed == 0 ? "已删除项目" : "项目未删除")) << told;
}
#endif
