// The content and layout of one parameter grid, free of any widget: rows, columns, the fixed
// header row and name column, column widths and position in twips, and the text of every cell.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace morvane {

class GridModel {
public:
    int nLeft = 0; // twips, relative to the tab area
    int nTop = 0;
    int nWidth = 0;
    int nHeight = 0;
    int nFixedRows = 1;
    int nFixedCols = 1;

    int Rows() const { return m_nRows; }
    int Cols() const { return m_nCols; }
    // Changes the size; cells inside both the old and the new size keep their text, new
    // columns get the width of a fresh grid.
    void SetSize(int nRows, int nCols);
    int ColWidth(int nCol) const;
    void SetColWidth(int nCol, int nTwips);
    // An address outside the grid reads "" and is not written.
    const std::string& Text(int nRow, int nCol) const;
    void SetText(int nRow, int nCol, std::string_view sText);
    void SetPlace(int nLeftTwips, int nTopTwips, int nWidthTwips, int nHeightTwips);

    static constexpr int kDefaultColWidth = 960;

private:
    bool Inside(int nRow, int nCol) const {
        return nRow >= 0 && nCol >= 0 && nRow < m_nRows && nCol < m_nCols;
    }

    int m_nRows = 0;
    int m_nCols = 0;
    std::vector<int> m_colWidths;
    std::vector<std::string> m_cells; // row-major
};

} // namespace morvane
