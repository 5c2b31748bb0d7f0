#ifndef CIMHTTP_CLI_OUTPUT_TTABLE_H
#define CIMHTTP_CLI_OUTPUT_TTABLE_H

#include <iosfwd>
#include <string>
#include <vector>

namespace NCimHTTPCli {

// Rows of text in aligned columns, two blanks apart, under a header; widths
// count characters, not bytes, so names with umlauts line up too.
class TTable {
public:
    explicit TTable(std::vector<std::string> header, std::string indent = std::string());

    void AddRow(std::vector<std::string> cells);
    // The header and every row; nothing at all when there is no row.
    void Write(std::ostream& out) const;

    // The number of characters of UTF-8 text.
    static std::size_t Width(const std::string& text);

private:
    void WriteRow(std::ostream& out, const std::vector<std::string>& cells,
                  const std::vector<std::size_t>& widths) const;
    std::vector<std::size_t> ColumnWidths() const;

    std::vector<std::string> fHeader;
    std::string fIndent;
    std::vector<std::vector<std::string>> fRows;
};

}  // namespace NCimHTTPCli

#endif
