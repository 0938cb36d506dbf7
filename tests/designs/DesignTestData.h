// The design tests' data files: whole report texts and tables of numbers.
#pragma once

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

inline std::string data(const char* name) {
    return readBytes(std::string(TALVOR_TEST_DATA) + "/" + name);
}

// The rows of numbers of a table, each with `width` columns; nan is allowed.
inline std::vector<std::vector<float>> numberRows(const char* name, size_t width) {
    std::vector<std::vector<float>> rows;
    std::istringstream table(data(name));
    for (std::string row; std::getline(table, row);) {
        if (row.empty() || row[0] == '#') continue;
        std::istringstream in(row);
        rows.emplace_back();
        for (std::string word; in >> word;)
            rows.back().push_back(std::strtof(word.c_str(), nullptr));
        EXPECT_EQ(rows.back().size(), width) << row;
        rows.back().resize(width);
    }
    EXPECT_FALSE(rows.empty()) << name;
    return rows;
}
