// A calculation report (plain text with directives, or RTF we wrote) turned
// into what an engineer hands in: RTF with the drawings as pictures, plain
// text, or the printed pages as PDF, as `talvor-cli report` does.
#pragma once

#include <string>
#include <vector>

struct ReportConversion {
    std::string report;  // the report to read
    std::string rtf;     // outputs; empty: not wanted
    std::string text;
    std::string pdf;
    std::string workDir;  // where its drawings lie; empty: the report's directory
};

struct ConvertedReport {
    int status = 0;                   // 0 done, 1 an output failed or lacks a picture, 2 unreadable
    std::vector<std::string> errors;  // what went wrong, one line each
    std::string plainText;            // the text, when no output was asked for
};

// Reads the report and writes each output asked for; a report short of a
// picture names each drawing with the reason. Makes the GUI application
// that fonts and painting need when there is none.
ConvertedReport ConvertReport(const ReportConversion& conversion);
