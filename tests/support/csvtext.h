// Rows of the comma-separated texts the exports write, split into cells
// (no quoted commas in what the tests read this way).
#pragma once

#include <sstream>
#include <string>
#include <vector>

namespace crustex::test {

// The cells of one line; a line ending in a comma has an empty last cell.
inline std::vector<std::string> csvcells(const std::string& line) {
    std::vector<std::string> out;
    std::istringstream cells(line);
    for (std::string cell; std::getline(cells, cell, ',');) out.push_back(cell);
    if (!line.empty() && line.back() == ',') out.emplace_back();
    return out;
}

// Every line of the text, each split into cells.
inline std::vector<std::vector<std::string>> csvrows(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) rows.push_back(csvcells(line));
    return rows;
}

}  // namespace crustex::test
