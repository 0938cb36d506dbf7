// The calculation-book base of every calculation record: the data file's name,
// the item's description and its result views (title, drawing, report), and
// the lines that carry them at the head and the tail of a data file.
#pragma once

#include <string>
#include <vector>

class LineReader;

struct ResultEntry {
    std::string title;
    std::string dxfFile;  // bare file name in the work path
    std::string rtfFile;  // bare file name in the work path
    bool operator==(const ResultEntry&) const = default;
};

class CJsBaseData {
  public:
    static constexpr int kMaxResults = 50;

    virtual ~CJsBaseData() = default;

    // The mark alone on the first line.
    static void SetBiaoShi(std::string& out, const std::string& mark);
    // 1 when the first line is the mark (trailing blanks, a byte-order mark and
    // CR ignored), leaving the reader after it; 0 otherwise.
    static int CheckBiaoShi(LineReader& in, const std::string& mark);

    // The tail of the data file: "##Name,<description>" and one
    // "##ChaXun,<title>,<drawing>,<report>" line per result view.
    void SaveData(std::string& out) const;
    // Reads that tail from the rest of the file: the description from the first
    // line holding "##Name" (from its 8th character on), at most 50 result
    // views from the "##ChaXun" lines. Lines before them are passed over.
    void LoadData(LineReader& in);

    void SetFileName_(const std::string& path) { m_fileName = path; }
    const std::string& fileName() const { return m_fileName; }

    const std::string& name() const { return m_name; }
    void setName(const std::string& name) { m_name = name; }

    int resultCount() const { return static_cast<int>(m_results.size()); }
    const ResultEntry& result(int i) const { return m_results.at(i); }
    // Sets entry i, growing the list with empty entries up to it.
    void setResult(int i, ResultEntry entry);
    void setResultCount(int n);

    std::string GetRtfFileName(int i) const;
    std::string GetDxfFileName(int i) const;

    // Deletes the drawing and report files of every result view from workPath;
    // files already gone are no error, and a folder of that name stays.
    void Remove_Result_Files(const std::string& workPath) const;

    bool operator==(const CJsBaseData&) const = default;

  private:
    std::string m_fileName;
    std::string m_name;
    std::vector<ResultEntry> m_results;
};
