// One line of a data file as a printf-style format and the fields it carries.
// The same format and field list write the line and read it back, so writer
// and reader cannot drift apart.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

using FieldRef = std::variant<int*, float*, std::string*>;

// Formats the fields with the conversions of fmt ("%d", "%f", "%.5f", "%s", ...);
// text between conversions is copied. Numbers are printed as printf prints them.
std::string formatFields(const char* fmt, std::initializer_list<FieldRef> fields);

// Reads a line written with the same format. Each conversion takes one
// comma-separated value: "%d" as strtol reads it (saturated to int), "%f" and
// "%.5f" as strtof reads it (0 where that is not finite: "nan", "inf", "1e39"),
// "%s" the text up to the next comma. Scanning stops
// at the first value that cannot be read; the fields after it keep their
// contents. Returns the number of fields assigned.
int scanFields(std::string_view line, const char* fmt, std::initializer_list<FieldRef> fields);

// Value-by-value scanning of one line: sscanf_next_begin once, then
// sscanf_next for each next comma-separated value.
class NextValueScanner {
  public:
    void sscanf_next_begin() {
        m_pos = 0;
        m_stopped = false;
    }
    // Reads the next value into the field with the one conversion in fmt;
    // returns 1 when assigned, 0 when the value could not be read (and all
    // later calls on this line then return 0 too).
    int sscanf_next(std::string_view line, const char* fmt, FieldRef field);

  private:
    size_t m_pos = 0;
    bool m_stopped = false;
};

// Reads one value token into the field by the conversion character ('d', 'f',
// 's'); false when the token holds no value of that type.
bool readToken(std::string_view token, char conversion, const FieldRef& field);

// Where a line departs from what its format writes, found without changing
// how scanFields reads it.
struct FieldIssue {
    enum class Kind {
        NotWhollyANumber,  // "2l.5": the scan takes the number it starts with
        OutOfRange,        // beyond int (saturated) or float (read as 0)
        NotANumber,        // "nan", "inf": read as 0
        NoValue,           // nothing readable: the scan stops here
        FewerValues,       // the line ends before its last field
        MoreValues,        // values after the last field are not read
        DecimalComma,      // "19,5": every later value of the line shifts
    };
    Kind kind;
    int field = 0;       // the conversion concerned (the first missing one for FewerValues)
    std::string found;   // the value's text (the whole line for FewerValues, MoreValues)
    std::string readAs;  // what the scan took from it
    int values = 0;      // values on the line
    int expected = 0;    // values the format has
};

// The issues of a line for the format the scan reads it with. Blanks around a
// value and one comma ending the line are no issue.
std::vector<FieldIssue> checkFieldLine(std::string_view line, const char* fmt);

// What the issue means for the reading, in the words told to the engineer.
std::string FieldIssueText(const FieldIssue& issue);
