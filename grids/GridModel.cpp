#include "grids/GridModel.h"

namespace morvane {

namespace {
const std::string kEmpty;
}

void GridModel::SetSize(int nRows, int nCols) {
    nRows = nRows < 0 ? 0 : nRows;
    nCols = nCols < 0 ? 0 : nCols;
    std::vector<std::string> cells(static_cast<std::size_t>(nRows) * nCols);
    for (int r = 0; r < nRows && r < m_nRows; ++r) {
        for (int c = 0; c < nCols && c < m_nCols; ++c) {
            cells[static_cast<std::size_t>(r) * nCols + c] =
                std::move(m_cells[static_cast<std::size_t>(r) * m_nCols + c]);
        }
    }
    m_cells = std::move(cells);
    m_colWidths.resize(nCols, kDefaultColWidth);
    m_nRows = nRows;
    m_nCols = nCols;
}

int GridModel::ColWidth(int nCol) const {
    return nCol >= 0 && nCol < m_nCols ? m_colWidths[nCol] : 0;
}

void GridModel::SetColWidth(int nCol, int nTwips) {
    if (nCol >= 0 && nCol < m_nCols) {
        m_colWidths[nCol] = nTwips;
    }
}

const std::string& GridModel::Text(int nRow, int nCol) const {
    return Inside(nRow, nCol) ? m_cells[static_cast<std::size_t>(nRow) * m_nCols + nCol] : kEmpty;
}

void GridModel::SetText(int nRow, int nCol, std::string_view sText) {
    if (Inside(nRow, nCol)) {
        m_cells[static_cast<std::size_t>(nRow) * m_nCols + nCol] = sText;
    }
}

void GridModel::SetPlace(int nLeftTwips, int nTopTwips, int nWidthTwips, int nHeightTwips) {
    nLeft = nLeftTwips;
    nTop = nTopTwips;
    nWidth = nWidthTwips;
    nHeight = nHeightTwips;
}

} // namespace morvane
