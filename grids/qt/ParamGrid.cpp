#include "grids/qt/ParamGrid.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include "app/QtText.h"

namespace morvane {

namespace {

constexpr int kTextPadding = 3;

} // namespace

ParamGrid::ParamGrid(const QString& sName, QWidget* pParent) : QAbstractScrollArea(pParent) {
    setObjectName(sName);
    setFocusPolicy(Qt::StrongFocus);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_model.SetSize(2, 2);
}

int ParamGrid::FixedRows() const {
    return std::min(m_model.nFixedRows, std::max(m_model.Rows() - 1, 0));
}

int ParamGrid::FixedCols() const {
    return std::min(m_model.nFixedCols, std::max(m_model.Cols() - 1, 0));
}

int ParamGrid::ColPixels(int nCol) const {
    return TwipsToPixels(m_model.ColWidth(nCol));
}

bool ParamGrid::IsDataCell(int nRow, int nCol) const {
    return nRow >= FixedRows() && nRow < m_model.Rows() && nCol >= FixedCols() &&
           nCol < m_model.Cols();
}

void ParamGrid::Redraw() {
    setGeometry(TwipsToPixels(m_model.nLeft), TwipsToPixels(m_model.nTop),
                TwipsToPixels(m_model.nWidth), TwipsToPixels(m_model.nHeight));
    if (!IsDataCell(m_nRow, m_nCol)) {
        m_nRow = FixedRows();
        m_nCol = FixedCols();
    }
    std::erase_if(m_backgrounds, [this](const auto& item) {
        return item.first.first >= m_model.Rows() || item.first.second >= m_model.Cols();
    });
    m_nTopRow = std::max(m_nTopRow, FixedRows());
    m_nLeftCol = std::max(m_nLeftCol, FixedCols());
    UpdateScrollBars();
    EnsureVisible();
    viewport()->update();
}

int ParamGrid::VisibleScrollRows() const {
    const int nFree = viewport()->height() - FixedRows() * kRowHeight;
    return std::max(1, nFree / kRowHeight);
}

int ParamGrid::VisibleScrollCols() const {
    int nFree = viewport()->width();
    for (int c = 0; c < FixedCols(); ++c) {
        nFree -= ColPixels(c);
    }
    int nCount = 0;
    for (int c = m_nLeftCol; c < m_model.Cols() && nFree >= ColPixels(c); ++c) {
        nFree -= ColPixels(c);
        ++nCount;
    }
    return std::max(1, nCount);
}

void ParamGrid::UpdateScrollBars() {
    const int nScrollRows = m_model.Rows() - FixedRows();
    int nRowsFit = (height() - 2 * frameWidth() - FixedRows() * kRowHeight) / kRowHeight;
    int nTotalWidth = 0;
    for (int c = 0; c < m_model.Cols(); ++c) {
        nTotalWidth += ColPixels(c);
    }
    const bool bNeedH = nTotalWidth > width() - 2 * frameWidth();
    if (bNeedH) {
        nRowsFit = (height() - 2 * frameWidth() - horizontalScrollBar()->sizeHint().height() -
                    FixedRows() * kRowHeight) /
                   kRowHeight;
    }
    verticalScrollBar()->setRange(0, std::max(0, nScrollRows - std::max(1, nRowsFit)));
    verticalScrollBar()->setPageStep(std::max(1, nRowsFit));

    int nFree = width() - 2 * frameWidth();
    if (nScrollRows > nRowsFit) {
        nFree -= verticalScrollBar()->sizeHint().width();
    }
    for (int c = 0; c < FixedCols(); ++c) {
        nFree -= ColPixels(c);
    }
    // The furthest left column from which the rest of the columns fit.
    int nLastLeft = m_model.Cols() - 1;
    int nUsed = 0;
    while (nLastLeft >= FixedCols() && nUsed + ColPixels(nLastLeft) <= nFree) {
        nUsed += ColPixels(nLastLeft);
        --nLastLeft;
    }
    const int nMaxLeft = std::max(FixedCols(), nLastLeft + 1);
    horizontalScrollBar()->setRange(0, nMaxLeft - FixedCols());
    horizontalScrollBar()->setPageStep(1);
    m_nTopRow = std::min(m_nTopRow, FixedRows() + verticalScrollBar()->maximum());
    m_nLeftCol = std::min(m_nLeftCol, nMaxLeft);
    verticalScrollBar()->setValue(m_nTopRow - FixedRows());
    horizontalScrollBar()->setValue(m_nLeftCol - FixedCols());
}

void ParamGrid::EnsureVisible() {
    if (!IsDataCell(m_nRow, m_nCol)) {
        return;
    }
    if (m_nRow < m_nTopRow) {
        m_nTopRow = m_nRow;
    } else if (m_nRow >= m_nTopRow + VisibleScrollRows()) {
        m_nTopRow = m_nRow - VisibleScrollRows() + 1;
    }
    if (m_nCol < m_nLeftCol) {
        m_nLeftCol = m_nCol;
    }
    while (m_nCol >= m_nLeftCol + VisibleScrollCols() && m_nLeftCol < m_nCol) {
        ++m_nLeftCol;
    }
    verticalScrollBar()->setValue(m_nTopRow - FixedRows());
    horizontalScrollBar()->setValue(m_nLeftCol - FixedCols());
}

void ParamGrid::SetCurrent(int nRow, int nCol) {
    if (!IsDataCell(nRow, nCol)) {
        return;
    }
    if (nRow == m_nRow && nCol == m_nCol) {
        return;
    }
    emit LeaveCell();
    m_nRow = nRow;
    m_nCol = nCol;
    EnsureVisible();
    viewport()->update();
    emit EnterCell();
}

QString ParamGrid::CurrentText() const {
    return CellText(m_nRow, m_nCol);
}

QString ParamGrid::CellText(int nRow, int nCol) const {
    return ToQt(m_model.Text(nRow, nCol));
}

void ParamGrid::SetCellBackground(int nRow, int nCol, const QColor& colour) {
    if (nRow >= 0 && nCol >= 0 && nRow < m_model.Rows() && nCol < m_model.Cols()) {
        m_backgrounds[{nRow, nCol}] = colour;
        viewport()->update();
    }
}

void ParamGrid::ResetCellBackground(int nRow, int nCol) {
    if (m_backgrounds.erase({nRow, nCol}) > 0) {
        viewport()->update();
    }
}

QColor ParamGrid::CellBackground(int nRow, int nCol) const {
    const auto it = m_backgrounds.find({nRow, nCol});
    return it == m_backgrounds.end() ? palette().color(QPalette::Base) : it->second;
}

int ParamGrid::RowTop(int nRow) const {
    if (nRow < FixedRows()) {
        return nRow * kRowHeight;
    }
    if (nRow < m_nTopRow) {
        return -1;
    }
    return (FixedRows() + nRow - m_nTopRow) * kRowHeight;
}

int ParamGrid::ColLeft(int nCol) const {
    int x = 0;
    for (int c = 0; c < FixedCols() && c < nCol; ++c) {
        x += ColPixels(c);
    }
    if (nCol < FixedCols()) {
        return x;
    }
    if (nCol < m_nLeftCol) {
        return -1;
    }
    for (int c = m_nLeftCol; c < nCol; ++c) {
        x += ColPixels(c);
    }
    return x;
}

QRect ParamGrid::CellRect(int nRow, int nCol) const {
    const int y = RowTop(nRow);
    const int x = ColLeft(nCol);
    if (x < 0 || y < 0) {
        return {};
    }
    return QRect(viewport()->mapTo(this, QPoint(x, y)), QSize(ColPixels(nCol), kRowHeight));
}

std::pair<int, int> ParamGrid::CellAt(const QPoint& point) const {
    int nRow = -1;
    for (int r = 0; r < m_model.Rows(); ++r) {
        const int y = RowTop(r);
        if (y >= 0 && point.y() >= y && point.y() < y + kRowHeight) {
            nRow = r;
            break;
        }
    }
    int nCol = -1;
    for (int c = 0; c < m_model.Cols(); ++c) {
        const int x = ColLeft(c);
        if (x >= 0 && point.x() >= x && point.x() < x + ColPixels(c)) {
            nCol = c;
            break;
        }
    }
    return nRow < 0 || nCol < 0 ? std::pair{-1, -1} : std::pair{nRow, nCol};
}

void ParamGrid::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), palette().color(QPalette::Window));
    const QColor lineColour = palette().color(QPalette::Mid);
    const QFontMetrics metrics(font());
    for (int r = 0; r < m_model.Rows(); ++r) {
        const int y = RowTop(r);
        if (y < 0 || y > viewport()->height()) {
            continue;
        }
        for (int c = 0; c < m_model.Cols(); ++c) {
            const int x = ColLeft(c);
            if (x < 0 || x > viewport()->width()) {
                continue;
            }
            const QRect cell(x, y, ColPixels(c), kRowHeight);
            const bool bFixed = r < FixedRows() || c < FixedCols();
            painter.fillRect(cell,
                             bFixed ? palette().color(QPalette::Button) : CellBackground(r, c));
            painter.setPen(lineColour);
            painter.drawLine(cell.topRight(), cell.bottomRight());
            painter.drawLine(cell.bottomLeft(), cell.bottomRight());
            const QRect textRect = cell.adjusted(kTextPadding, 0, -kTextPadding, -1);
            const QString sText =
                metrics.elidedText(CellText(r, c), Qt::ElideRight, textRect.width());
            painter.setPen(palette().color(bFixed ? QPalette::ButtonText : QPalette::Text));
            painter.drawText(textRect,
                             Qt::AlignVCenter | (bFixed ? Qt::AlignHCenter : Qt::AlignLeft), sText);
            if (!bFixed && hasFocus() && r == m_nRow && c == m_nCol) {
                painter.setPen(QPen(palette().color(QPalette::Text), 1, Qt::DotLine));
                painter.drawRect(cell.adjusted(1, 1, -2, -2));
            }
        }
    }
}

void ParamGrid::keyPressEvent(QKeyEvent* pEvent) {
    int nRow = m_nRow;
    int nCol = m_nCol;
    switch (pEvent->key()) {
    case Qt::Key_Up:
        --nRow;
        break;
    case Qt::Key_Down:
        ++nRow;
        break;
    case Qt::Key_Left:
        --nCol;
        break;
    case Qt::Key_Right:
        ++nCol;
        break;
    case Qt::Key_PageUp:
        nRow -= VisibleScrollRows();
        break;
    case Qt::Key_PageDown:
        nRow += VisibleScrollRows();
        break;
    case Qt::Key_Home:
        nCol = FixedCols();
        break;
    case Qt::Key_End:
        nCol = m_model.Cols() - 1;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit KeyPressed(13);
        return;
    case Qt::Key_Escape:
        emit KeyPressed(27);
        pEvent->ignore();
        return;
    default:
        if (!pEvent->text().isEmpty() && pEvent->text().at(0).isPrint()) {
            emit KeyPressed(pEvent->text().at(0).unicode());
            return;
        }
        QAbstractScrollArea::keyPressEvent(pEvent);
        return;
    }
    nRow = std::clamp(nRow, FixedRows(), std::max(FixedRows(), m_model.Rows() - 1));
    nCol = std::clamp(nCol, FixedCols(), std::max(FixedCols(), m_model.Cols() - 1));
    SetCurrent(nRow, nCol);
}

void ParamGrid::mousePressEvent(QMouseEvent* pEvent) {
    const auto [nRow, nCol] = CellAt(pEvent->position().toPoint());
    if (!hasFocus()) {
        setFocus(Qt::MouseFocusReason);
    }
    if (nRow >= 0) {
        SetCurrent(nRow, nCol);
    }
}

void ParamGrid::focusInEvent(QFocusEvent* pEvent) {
    QAbstractScrollArea::focusInEvent(pEvent);
    viewport()->update();
    emit GotFocus();
}

void ParamGrid::focusOutEvent(QFocusEvent* pEvent) {
    QAbstractScrollArea::focusOutEvent(pEvent);
    viewport()->update();
    emit LostFocus();
}

void ParamGrid::resizeEvent(QResizeEvent* pEvent) {
    QAbstractScrollArea::resizeEvent(pEvent);
    UpdateScrollBars();
}

void ParamGrid::scrollContentsBy(int, int) {
    m_nTopRow = FixedRows() + verticalScrollBar()->value();
    m_nLeftCol = FixedCols() + horizontalScrollBar()->value();
    viewport()->update();
}

void ParamGrid::wheelEvent(QWheelEvent* pEvent) {
    const int nSteps = pEvent->angleDelta().y() / 120;
    verticalScrollBar()->setValue(verticalScrollBar()->value() - nSteps);
    pEvent->accept();
}

} // namespace morvane
