// The grid control of the tabs: a GridModel drawn with its header row and name column fixed
// (always in view, never current or highlighted), a current data cell moved by keys and mouse,
// per-cell background colours, and the cell and focus events the tab handlers react to.
#pragma once

#include <QAbstractScrollArea>
#include <QColor>
#include <map>
#include <utility>

#include "grids/GridModel.h"

namespace morvane {

class ParamGrid : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int kTwipsPerPixel = 15;
    static constexpr int kRowHeight = 18; // pixels, grid line included

    ParamGrid(const QString& sName, QWidget* pParent);

    GridModel& Model() { return m_model; }
    const GridModel& Model() const { return m_model; }
    // Takes over the model's size and place and repaints; the current cell stays where it was
    // when it still exists, else it moves to the first data cell (without events).
    void Redraw();

    int Row() const { return m_nRow; }
    int Col() const { return m_nCol; }
    // Makes (nRow, nCol) current when it is a data cell: LeaveCell for the old cell, then
    // EnterCell for the new one.
    void SetCurrent(int nRow, int nCol);
    QString CurrentText() const;
    QString CellText(int nRow, int nCol) const;

    // The colour of a cell; cells without a colour of their own show the window background.
    void SetCellBackground(int nRow, int nCol, const QColor& colour);
    void ResetCellBackground(int nRow, int nCol);
    QColor CellBackground(int nRow, int nCol) const;
    // The geometry of a cell inside the grid widget, for placing an editor over it.
    QRect CellRect(int nRow, int nCol) const;
    int TopRow() const { return m_nTopRow; }

signals:
    void EnterCell();
    void LeaveCell();
    void GotFocus();
    void LostFocus();
    // A key the grid did not use for moving: the character code (13 for Enter).
    void KeyPressed(int nKeyAscii);

protected:
    void paintEvent(QPaintEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void focusInEvent(QFocusEvent* pEvent) override;
    void focusOutEvent(QFocusEvent* pEvent) override;
    void resizeEvent(QResizeEvent* pEvent) override;
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent* pEvent) override;

private:
    int FixedRows() const;
    int FixedCols() const;
    int ColPixels(int nCol) const;
    int VisibleScrollRows() const;
    int VisibleScrollCols() const;
    void UpdateScrollBars();
    void EnsureVisible();
    bool IsDataCell(int nRow, int nCol) const;
    // Cell at a point of the viewport: {-1, -1} when there is none.
    std::pair<int, int> CellAt(const QPoint& point) const;
    int RowTop(int nRow) const;
    int ColLeft(int nCol) const;

    GridModel m_model;
    int m_nRow = 1;
    int m_nCol = 1;
    int m_nTopRow = 1;  // first scrolled row in view
    int m_nLeftCol = 1; // first scrolled column in view
    std::map<std::pair<int, int>, QColor> m_backgrounds;
};

// Twips of the window to pixels.
inline int TwipsToPixels(int nTwips) {
    return nTwips / ParamGrid::kTwipsPerPixel;
}
inline QRect TwipsToPixels(int nLeft, int nTop, int nWidth, int nHeight) {
    return {TwipsToPixels(nLeft), TwipsToPixels(nTop), TwipsToPixels(nWidth),
            TwipsToPixels(nHeight)};
}

} // namespace morvane
