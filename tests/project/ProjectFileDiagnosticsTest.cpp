// What is damaged in "Talvor.PRJ", "Talvor.MB", "GCXX.BOX" and
// "TalvorPile.Dat" is named.
#include "ProjectTestSupport.h"
#include "platform/InputDiagnostics.h"
#include "project/CPileLibrary.h"
#include "project/CProjectData.h"
#include "project/CProjectInfo.h"
#include "project/CTemplateIndex.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> told(const InputDiagnostics& diag) {
    std::vector<std::string> out;
    for (const InputDiagnostic& d : diag.items()) out.push_back(diag.text(d));
    return out;
}

std::string projectWith(std::vector<int32_t> numbers) {
    CProjectData p;
    p.itemCount[0] = static_cast<int32_t>(numbers.size());
    for (size_t i = 0; i < numbers.size(); ++i) p.itemNumbers[0][i] = numbers[i];
    return p.FormatProjectFile();
}

}  // namespace

TEST(ProjectFileDiagnostics, EachDamageIsNamedAndTheReadingStaysAsItWas) {
    std::string badCount = projectWith({1});
    badCount[250] = char(150);
    const std::pair<std::string, std::vector<std::string>> projects[] = {
        {"Morvane", {": 文件只有 7 字节, 应有 20484 字节"}},
        {std::string(20484, 'x'), {": 前 50 字节中没有工程文件标记 “Morvane Talvor Project v1.0”"}},
        {badCount, {": itemCount[1] 为 150, 超出 0..100"}},
        {projectWith({3, 0, 3}),
         {" itemNumbers[1][2]: “0” 不是 1..5000 的编号", " itemNumbers[1][3]: “3” 编号重复"}},
        {projectWith({1, 2}), {}},
    };
    for (const auto& [bytes, expected] : projects) {
        CProjectData plain, noted;
        InputDiagnostics diag;
        EXPECT_EQ(plain.ParseProjectFile(bytes), noted.ParseProjectFile(bytes, &diag));
        EXPECT_TRUE(plain == noted);
        EXPECT_EQ(told(diag), expected);
    }
    CTemplateIndex index;
    InputDiagnostics indexDiag;
    EXPECT_FALSE(index.ParseIndexFile("Morvane Talvor MoBan v1.0", &indexDiag));
    EXPECT_EQ(told(indexDiag), std::vector<std::string>{": 文件只有 25 字节, 应有 20250 字节"});

    const std::pair<const char*, std::vector<std::string>> infos[] = {
        {"工程\n1\n2020年1月1日 08:00:00\n7\n",
         {" 第 4 行 industry: “7” 不是 0..3 的行业代码, 按 3 读"}},
        {"工程\n1\n时间\n公路\n", {" 第 4 行 industry: “公路” 不是 0..3 的行业代码, 按 0 读"}},
        {"工程\n1\n时间\n2\n", {}},
        {"工程\n1\n时间\n\n", {}},
    };
    for (const auto& [text, expected] : infos) {
        CProjectInfo info;
        InputDiagnostics diag;
        info.ParseInfoText(text, &diag);
        EXPECT_EQ(told(diag), expected) << text;
    }

    CPileLibrary library;
    InputDiagnostics pileDiag;
    library.ParseLibraryText("// 注释\n1,1,Z1,钢轨,5O,2.6,2.0,硬塑,平地,52.6,47.43\n", &pileDiag);
    EXPECT_EQ(told(pileDiag),
              std::vector<std::string>{" 第 2 行 规格/桩径: “5O” 不全是数, 读作 5"});
    EXPECT_EQ(library.entries.at(0).size, 5.0f);
}
