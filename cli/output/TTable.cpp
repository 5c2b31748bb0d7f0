#include "output/TTable.h"

#include <algorithm>
#include <ostream>

namespace NCimHTTPCli {

TTable::TTable(std::vector<std::string> header, std::string indent)
    : fHeader(std::move(header)), fIndent(std::move(indent)) {}

void TTable::AddRow(std::vector<std::string> cells) {
    cells.resize(fHeader.size());
    fRows.push_back(std::move(cells));
}

std::size_t TTable::Width(const std::string& text) {
    return std::count_if(text.begin(), text.end(),
                         [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
}

std::vector<std::size_t> TTable::ColumnWidths() const {
    std::vector<std::size_t> widths;
    for (const std::string& title : fHeader) {
        widths.push_back(Width(title));
    }
    for (const std::vector<std::string>& row : fRows) {
        for (std::size_t column = 0; column < row.size(); ++column) {
            widths[column] = std::max(widths[column], Width(row[column]));
        }
    }
    return widths;
}

void TTable::WriteRow(std::ostream& out, const std::vector<std::string>& cells,
                      const std::vector<std::size_t>& widths) const {
    std::string line = fIndent;
    for (std::size_t column = 0; column < cells.size(); ++column) {
        line += cells[column];
        if (column + 1 < cells.size()) {
            line.append(widths[column] - Width(cells[column]) + 2, ' ');
        }
    }
    line.erase(line.find_last_not_of(' ') + 1);
    line += '\n';
    out.write(line.data(), static_cast<std::streamsize>(line.size()));
}

void TTable::Write(std::ostream& out) const {
    if (fRows.empty()) {
        return;
    }
    const std::vector<std::size_t> widths = ColumnWidths();
    WriteRow(out, fHeader, widths);
    for (const std::vector<std::string>& row : fRows) {
        WriteRow(out, row, widths);
    }
}

}  // namespace NCimHTTPCli
