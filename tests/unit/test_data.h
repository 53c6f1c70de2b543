#pragma once
// Reads the lines of a file under tests/data for the table-driven tests.
#include <fstream>
#include <string>
#include <vector>

inline std::string TestDataPath(const std::string& name) {
    return std::string(SKYVANE_TEST_DATA_DIR) + "/" + name;
}

// The file's lines without blank lines and '#' comments; empty when the file cannot be read.
inline std::vector<std::string> ReadTestDataLines(const std::string& name) {
    std::vector<std::string> lines;
    std::ifstream in(TestDataPath(name));
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty() || line[0] == '#') {
            continue;
        }
        lines.push_back(line);
    }
    return lines;
}
