#include "FlexGrid.h"

#include "platform/FlexGridModel.h"
#include "RuntimeError.h"
#include "Twips.h"
#include "Keys.h"

#include <QAbstractButton>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QStyleOptionHeader>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

namespace {

constexpr int kDefaultColWidth = 960;
// Cells whose storage a grid keeps for its next binding (a few pages' worth).
constexpr std::size_t kSpareCells = 4096;

int mouseButton(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
    }
}

// The row header, whose width the grid always fixes to its first column's:
// the view asks its size hint on every layout, and the default one lays out
// the captions of up to 200 rows for a width the fixed one overrides.
class RowHeader : public QHeaderView {
public:
    using QHeaderView::QHeaderView;
    QSize sizeHint() const override
    {
        if (minimumWidth() != maximumWidth())
            return QHeaderView::sizeHint();
        return {maximumWidth(), defaultSectionSize()};
    }
};

class FlexGridView : public QTableView {
public:
    using QTableView::QTableView;
    // Lets the grid lay out the headers before it measures a cell that is not on screen.
    void layOut() { updateGeometries(); }
};

}  // namespace

struct FlexGrid::Private {
    FlexGridModel model;
    FlexGridView* view = nullptr;
    std::vector<int> widths = std::vector<int>(2, -1);
    int row = 1;
    int col = 1;
    bool bound = false;
    bool applying = false;
    bool skipNextClick = false;
    // Cells changed while the view was hidden, not yet told to it.
    bool untold = false;
    QAbstractButton* corner = nullptr;
    int rowHeightPx = 20;
    // Fitting widths already measured, for the fonts they were measured in:
    // a grid refilled page after page meets the same texts again.
    QFont fittedFont;
    QHash<QString, int> fitted;
    // Storage for the cells of the next binding, empty.
    std::vector<FlexGridModel::Cell> spareCells;

    int width(int c) const
    {
        const int w = widths[static_cast<std::size_t>(c)];
        return w < 0 ? kDefaultColWidth : w;
    }
};

FlexGrid::FlexGrid(QWidget* parent) : QWidget(parent), d(std::make_unique<Private>())
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    d->view = new FlexGridView(this);
    d->view->setObjectName(QStringLiteral("flexGridView"));
    d->view->setVerticalHeader(new RowHeader(Qt::Vertical, d->view));
    d->view->setModel(&d->model);
    d->view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    d->view->setSelectionMode(QAbstractItemView::SingleSelection);
    d->view->setSelectionBehavior(QAbstractItemView::SelectItems);
    d->view->setTabKeyNavigation(false);
    d->view->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    d->view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    d->view->setWordWrap(false);
    d->view->setCornerButtonEnabled(false);
    d->rowHeightPx = d->view->fontMetrics().height() + 6;

    QHeaderView* h = d->view->horizontalHeader();
    h->setSectionsClickable(false);
    h->setHighlightSections(false);
    h->setMinimumSectionSize(1);
    h->setSectionResizeMode(QHeaderView::Interactive);
    h->setFixedHeight(d->rowHeightPx);
    QHeaderView* v = d->view->verticalHeader();
    v->setSectionsClickable(false);
    v->setHighlightSections(false);
    v->setMinimumSectionSize(1);
    v->setSectionResizeMode(QHeaderView::Fixed);
    v->setDefaultSectionSize(d->rowHeightPx);

    layout->addWidget(d->view);
    setFocusProxy(d->view);

    // The cell where the fixed row meets the fixed column is the view's corner
    // button, which draws no text of its own: the grid paints its caption there.
    d->corner = d->view->findChild<QAbstractButton*>();
    if (d->corner)
        d->corner->installEventFilter(this);

    for (QObject* o : {static_cast<QObject*>(d->view), static_cast<QObject*>(d->view->viewport()),
                       static_cast<QObject*>(h), static_cast<QObject*>(v), static_cast<QObject*>(h->viewport()),
                       static_cast<QObject*>(v->viewport())})
        o->installEventFilter(this);

    connect(h, &QHeaderView::sectionResized, this, [this](int logical, int, int size) {
        if (!d->applying && logical + d->model.headerCols() < d->model.cols)
            d->widths[static_cast<std::size_t>(logical + d->model.headerCols())] = twips::fromPixels(size);
    });
    connect(d->view->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { emit Scroll(); });
    connect(d->view->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { emit Scroll(); });

    applyLayout();
    syncCurrent();
}

FlexGrid::~FlexGrid() = default;

QTableView* FlexGrid::view() const
{
    return d->view;
}

void FlexGrid::checkCell(int row, int col) const
{
    if (row < 0 || row >= d->model.rows || col < 0 || col >= d->model.cols)
        throw RuntimeError(errnum::SubscriptOutOfRange,
                           QStringLiteral("Subindice fuera del intervalo: fila %1, columna %2").arg(row).arg(col));
}

int FlexGrid::Rows() const
{
    return d->model.rows;
}

void FlexGrid::setRows(int rows)
{
    if (rows < d->model.fixedRows)
        throw RuntimeError::invalidCall(QStringLiteral("Rows"));
    if (rows == d->model.rows)
        return;
    d->model.reshape(rows, d->model.cols);
    d->row = std::min(d->row, std::max(rows - 1, 0));
    applyLayout();
    syncCurrent();
}

int FlexGrid::Cols() const
{
    return d->model.cols;
}

void FlexGrid::setCols(int cols)
{
    if (cols < d->model.fixedCols)
        throw RuntimeError::invalidCall(QStringLiteral("Cols"));
    if (cols == d->model.cols)
        return;
    d->model.reshape(d->model.rows, cols);
    d->widths.resize(static_cast<std::size_t>(cols), -1);
    d->col = std::min(d->col, std::max(cols - 1, 0));
    applyLayout();
    syncCurrent();
}

int FlexGrid::FixedRows() const
{
    return d->model.fixedRows;
}

void FlexGrid::setFixedRows(int fixedRows)
{
    if (fixedRows < 0 || fixedRows > 1 || fixedRows > d->model.rows)
        throw RuntimeError::invalidCall(QStringLiteral("FixedRows"));
    d->model.beginResetModel();
    d->model.fixedRows = fixedRows;
    d->model.endResetModel();
    applyLayout();
    syncCurrent();
}

int FlexGrid::FixedCols() const
{
    return d->model.fixedCols;
}

void FlexGrid::setFixedCols(int fixedCols)
{
    if (fixedCols < 0 || fixedCols > d->model.cols)
        throw RuntimeError::invalidCall(QStringLiteral("FixedCols"));
    d->model.beginResetModel();
    d->model.fixedCols = fixedCols;
    d->model.endResetModel();
    applyLayout();
    syncCurrent();
}

int FlexGrid::Row() const
{
    return d->row;
}

void FlexGrid::setRow(int row)
{
    checkCell(row, 0);
    moveTo(row, d->col, false);
}

int FlexGrid::Col() const
{
    return d->col;
}

void FlexGrid::setCol(int col)
{
    checkCell(0, col);
    moveTo(d->row, col, false);
}

int FlexGrid::TopRow() const
{
    return d->view->verticalScrollBar()->value() + d->model.fixedRows;
}

void FlexGrid::setTopRow(int row)
{
    checkCell(row, 0);
    d->view->verticalScrollBar()->setValue(std::max(0, row - d->model.fixedRows));
}

QString FlexGrid::TextMatrix(int row, int col) const
{
    checkCell(row, col);
    return d->model.cell(row, col).text;
}

void FlexGrid::setTextMatrix(int row, int col, const QString& text)
{
    checkCell(row, col);
    QString& cell = d->model.cell(row, col).text;
    if (cell == text)
        return;
    cell = text;
    cellsChanged(row, col, col);
}

void FlexGrid::appendRows(int count, const std::function<QString(int i, int col)>& text)
{
    if (count <= 0)
        return;
    FlexGridModel& m = d->model;
    const int first = m.rows;
    const int cols = m.cols;
    m.beginResetModel();
    m.cells.resize(static_cast<std::size_t>(first + count) * static_cast<std::size_t>(cols));
    m.rows = first + count;
    for (int i = 0; i < count; ++i)
        for (int c = 0; c < cols; ++c)
            m.cell(first + i, c).text = text(i, c);
    m.endResetModel();
    if (first == 0 && d->corner)
        d->corner->update();
    applyLayout();
    syncCurrent();
}

QString FlexGrid::Text() const
{
    return TextMatrix(d->row, d->col);
}

void FlexGrid::setText(const QString& text)
{
    setTextMatrix(d->row, d->col, text);
}

int FlexGrid::ColWidth(int col) const
{
    checkCell(0, col);
    return d->width(col);
}

void FlexGrid::setColWidth(int col, int width)
{
    checkCell(0, col);
    d->widths[static_cast<std::size_t>(col)] = std::max(0, width);
    d->applying = true;
    applyWidth(col);
    d->applying = false;
}

int FlexGrid::ColAlignment(int col) const
{
    checkCell(0, col);
    return d->model.alignment[static_cast<std::size_t>(col)];
}

void FlexGrid::setColAlignment(int col, int alignment)
{
    checkCell(0, col);
    if (alignment < flex::AlignLeftTop || alignment > flex::AlignGeneral)
        throw RuntimeError::invalidCall(QStringLiteral("ColAlignment"));
    d->model.alignment[static_cast<std::size_t>(col)] = alignment;
    if (d->model.rowCount() > 0 && col >= d->model.headerCols())
        emit d->model.dataChanged(d->model.index(0, col - d->model.headerCols()),
                                  d->model.index(d->model.rowCount() - 1, col - d->model.headerCols()));
}

std::uint32_t FlexGrid::cellColor(Layer layer, int row, int col) const
{
    checkCell(row, col);
    const auto& cell = d->model.cell(row, col);
    return layer == Layer::Back ? cell.back : cell.fore;
}

void FlexGrid::setCellColors(Layer layer, int row, int fromCol, int toCol, std::uint32_t color)
{
    checkCell(row, fromCol);
    checkCell(row, toCol);
    for (int c = fromCol; c <= toCol; ++c) {
        auto& cell = d->model.cell(row, c);
        (layer == Layer::Back ? cell.back : cell.fore) = color;
    }
    cellsChanged(row, fromCol, toCol);
}

std::uint32_t FlexGrid::CellBackColor() const
{
    return cellColor(Layer::Back, d->row, d->col);
}

void FlexGrid::setCellBackColor(std::uint32_t color)
{
    setCellColors(Layer::Back, d->row, d->col, d->col, color);
}

std::uint32_t FlexGrid::CellForeColor() const
{
    return cellColor(Layer::Fore, d->row, d->col);
}

void FlexGrid::setCellForeColor(std::uint32_t color)
{
    setCellColors(Layer::Fore, d->row, d->col, d->col, color);
}

std::uint32_t FlexGrid::CellBackColorAt(int row, int col) const
{
    return cellColor(Layer::Back, row, col);
}

void FlexGrid::setCellBackColorAt(int row, int col, std::uint32_t color)
{
    setCellColors(Layer::Back, row, col, col, color);
}

void FlexGrid::fillRowBackColor(int row, int fromCol, int toCol, std::uint32_t color)
{
    if (fromCol > toCol)
        return;
    setCellColors(Layer::Back, row, fromCol, toCol, color);
}

// A header told of a change lays all its sections out again, which makes
// filling thousands of rows slow; a hidden view paints nothing and keeps
// nothing of the cells, so it is told once, when it is shown.
void FlexGrid::cellsChanged(int row, int fromCol, int toCol)
{
    if (row == 0 && fromCol == 0 && d->corner)
        d->corner->update();
    if (d->view->isVisible())
        d->model.cellsChanged(row, fromCol, toCol);
    else
        d->untold = true;
}

QRect FlexGrid::cellRect(int row, int col) const
{
    checkCell(row, col);
    d->view->layOut();
    const QHeaderView* h = d->view->horizontalHeader();
    const QHeaderView* v = d->view->verticalHeader();
    int x = 0;
    int w = 0;
    if (col < d->model.headerCols()) {
        x = v->mapTo(this, QPoint(0, 0)).x();
        w = v->isHidden() ? 0 : v->width();
    } else {
        const int section = col - d->model.headerCols();
        x = d->view->viewport()->mapTo(this, QPoint(h->sectionViewportPosition(section), 0)).x();
        w = h->isSectionHidden(section) ? 0 : h->sectionSize(section);
    }
    int y = 0;
    int height = 0;
    if (row < d->model.fixedRows) {
        y = h->mapTo(this, QPoint(0, 0)).y();
        height = h->isHidden() ? 0 : h->height();
    } else {
        const int section = row - d->model.fixedRows;
        y = d->view->viewport()->mapTo(this, QPoint(0, v->sectionViewportPosition(section))).y();
        height = v->sectionSize(section);
    }
    return QRect(x, y, w, height);
}

int FlexGrid::CellLeft() const
{
    return twips::fromPixels(cellRect(d->row, d->col).x());
}

int FlexGrid::CellTop() const
{
    return twips::fromPixels(cellRect(d->row, d->col).y());
}

int FlexGrid::CellWidth() const
{
    return twips::fromPixels(cellRect(d->row, d->col).width());
}

int FlexGrid::CellHeight() const
{
    return twips::fromPixels(cellRect(d->row, d->col).height());
}

int FlexGrid::Left() const
{
    return twips::left(*this);
}

int FlexGrid::Top() const
{
    return twips::top(*this);
}

int FlexGrid::Width() const
{
    return twips::width(*this);
}

int FlexGrid::Height() const
{
    return twips::height(*this);
}

void FlexGrid::Clear()
{
    d->model.beginResetModel();
    for (auto& cell : d->model.cells)
        cell = {};
    d->model.endResetModel();
    applyLayout();
    syncCurrent();
}

void FlexGrid::RemoveItem(int row)
{
    checkCell(row, 0);
    if (row < d->model.fixedRows || d->model.rows - d->model.fixedRows <= 1)
        throw RuntimeError::invalidCall(QStringLiteral("RemoveItem"));
    FlexGridModel& m = d->model;
    m.beginRemoveRows({}, row - m.fixedRows, row - m.fixedRows);
    const auto first = m.cells.begin() + static_cast<std::ptrdiff_t>(row) * m.cols;
    m.cells.erase(first, first + m.cols);
    --m.rows;
    m.endRemoveRows();
    if (d->row > row || d->row >= m.rows)
        d->row = std::max(d->row - 1, 0);
    syncCurrent();
}

void FlexGrid::Refresh()
{
    d->view->viewport()->update();
}

bool FlexGrid::Enabled() const
{
    return !testAttribute(Qt::WA_ForceDisabled);
}

void FlexGrid::SetFocus()
{
    if (!isVisible() || !isEnabled())
        throw RuntimeError::invalidCall(QStringLiteral("SetFocus"));
    d->view->setFocus(Qt::OtherFocusReason);
}

void FlexGrid::bind(const QStringList& names, std::vector<QString>&& texts, std::size_t recordCount)
{
    const int fieldCount = static_cast<int>(names.size());
    FlexGridModel& m = d->model;
    const int cols = m.fixedCols + fieldCount;
    const int rows = m.fixedRows + std::max<int>(1, static_cast<int>(recordCount));
    // A page of the same columns as the one shown (the next page of a grid)
    // keeps the view's columns.
    bool sameColumns = cols == m.cols && m.fixedRows > 0;
    for (int i = 0; sameColumns && i < fieldCount; ++i)
        sameColumns = m.cell(0, m.fixedCols + i).text == names.at(i);
    // The cells are built in the storage the page before last left: a grid
    // turned page after page does not give its memory back and ask for it
    // again on every page.
    std::vector<FlexGridModel::Cell>& cells = d->spareCells;
    cells.assign(static_cast<std::size_t>(rows) * cols, FlexGridModel::Cell{});
    auto cell = [&](int r, int c) -> FlexGridModel::Cell& { return cells[static_cast<std::size_t>(r) * cols + c]; };
    if (m.fixedRows > 0)
        for (int i = 0; i < fieldCount; ++i)
            cell(0, m.fixedCols + i).text = names.at(i);
    for (std::size_t r = 0; r < recordCount; ++r)
        for (int i = 0; i < fieldCount; ++i)
            cell(m.fixedRows + static_cast<int>(r), m.fixedCols + i).text =
                std::move(texts[r * static_cast<std::size_t>(fieldCount) + static_cast<std::size_t>(i)]);
    if (sameColumns) {
        // A view off screen is told of the new texts when it is shown, as of
        // any cell changed meanwhile.
        const bool shown = d->view->isVisible();
        m.refill(rows, cells, shown);
        if (!shown)
            d->untold = true;
    } else {
        m.beginResetModel();
        m.rows = rows;
        m.cols = cols;
        m.cells.swap(cells);
        m.alignment.resize(static_cast<std::size_t>(cols), flex::AlignGeneral);
        m.endResetModel();
    }
    // The texts shown before go now; the storage of a page is kept, that of
    // a whole table bound at once is not.
    if (cells.capacity() > kSpareCells)
        std::vector<FlexGridModel::Cell>().swap(cells);
    else
        cells.clear();
    d->widths.resize(static_cast<std::size_t>(cols), -1);
    d->row = std::min(m.fixedRows, rows - 1);
    d->col = std::min(m.fixedCols, cols - 1);
    d->bound = true;
    applyLayout();
    syncCurrent();
}

void FlexGrid::releaseDataSource()
{
    d->bound = false;
}

bool FlexGrid::hasDataSource() const
{
    return d->bound;
}

int FlexGrid::textWidth(const QString& text) const
{
    return twips::fromPixels(fontMetrics().horizontalAdvance(text));
}

int FlexGrid::fittingWidth(const QString& text) const
{
    checkFittedFont();
    return fitted(text);
}

void FlexGrid::checkFittedFont() const
{
    if (d->fittedFont != d->view->font()) {
        d->fittedFont = d->view->font();
        d->fitted.clear();
    }
}

int FlexGrid::fitted(const QString& text) const
{
    auto it = d->fitted.constFind(text);
    if (it != d->fitted.constEnd())
        return *it;
    // A grid that pages through a large table sees ever new texts: the
    // memory stays bounded.
    if (d->fitted.size() >= 4096)
        d->fitted.clear();
    // Measured the way the header measures its sections (in bold, the room
    // it keeps for a highlighted caption), so that a column laid out this
    // wide never cuts its caption.
    const QHeaderView* h = d->view->horizontalHeader();
    QStyleOptionHeader option;
    option.initFrom(h);
    option.text = text;
    QFont bold = h->font();
    bold.setBold(true);
    option.fontMetrics = QFontMetrics(bold);
    const int header = h->style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), h).width();
    const int cellMargin = d->view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, d->view) + 1;
    const int cell = d->view->fontMetrics().horizontalAdvance(text) + 2 * cellMargin;
    return *d->fitted.insert(text, twips::fromPixels(std::max(header, cell)));
}

int FlexGrid::fittingColWidth(int col) const
{
    return columnFit(col).width;
}

FlexGrid::ColumnFit FlexGrid::columnFit(int col) const
{
    if (col < 0 || col >= d->model.cols)
        checkCell(0, col);
    checkFittedFont();
    ColumnFit fit;
    const FlexGridModel& m = d->model;
    const QString* previous = nullptr;
    for (int r = 0; r < m.rows; ++r) {
        const QString& text = m.cell(r, col).text;
        fit.longest = std::max(fit.longest, text.size());
        // A column repeats its texts row after row (a depot, a unit, an
        // empty cell): the text above has been measured already.
        if (previous && *previous == text)
            continue;
        previous = &text;
        fit.width = std::max(fit.width, fitted(text));
    }
    return fit;
}

void FlexGrid::applyLayout()
{
    d->applying = true;
    const FlexGridModel& m = d->model;
    QHeaderView* h = d->view->horizontalHeader();
    QHeaderView* v = d->view->verticalHeader();
    // A grid of its fixed cells alone holds nothing to show: no empty header
    // strip, no corner.
    h->setVisible(m.fixedRows > 0 && !soloFijas());
    if (m.headerCols() == 0 || soloFijas())
        v->setVisible(false);
    for (int c = 0; c < m.cols; ++c)
        applyWidth(c);
    d->applying = false;
}

bool FlexGrid::soloFijas() const
{
    return d->model.rows <= d->model.fixedRows && d->model.cols <= d->model.fixedCols;
}

void FlexGrid::applyWidth(int c)
{
    const FlexGridModel& m = d->model;
    const int w = d->width(c);
    if (c < m.headerCols()) {
        // The first fixed column is the view's row header.
        QHeaderView* v = d->view->verticalHeader();
        v->setVisible(w > 0 && !soloFijas());
        if (w > 0)
            v->setFixedWidth(twips::toPixels(w));
        return;
    }
    const int section = c - m.headerCols();
    d->view->setColumnHidden(section, w == 0);
    if (w > 0)
        d->view->horizontalHeader()->resizeSection(section, std::max(1, twips::toPixels(w)));
}

void FlexGrid::syncCurrent()
{
    const FlexGridModel& m = d->model;
    QItemSelectionModel* selection = d->view->selectionModel();
    if (d->row >= m.fixedRows && d->col >= m.fixedCols && d->row < m.rows && d->col < m.cols)
        selection->setCurrentIndex(m.index(d->row - m.fixedRows, d->col - m.headerCols()),
                                   QItemSelectionModel::ClearAndSelect);
    else
        selection->clear();
}

void FlexGrid::moveTo(int row, int col, bool scrollIntoView)
{
    if (row == d->row && col == d->col)
        return;
    QPointer<FlexGrid> alive(this);
    emit LeaveCell();
    if (!alive)
        return;
    d->row = std::clamp(row, 0, std::max(d->model.rows - 1, 0));
    d->col = std::clamp(col, 0, std::max(d->model.cols - 1, 0));
    syncCurrent();
    if (scrollIntoView && d->row >= d->model.fixedRows && d->col >= d->model.fixedCols)
        d->view->scrollTo(d->model.index(d->row - d->model.fixedRows, d->col - d->model.headerCols()));
    emit EnterCell();
}

void FlexGrid::handleKey(QKeyEvent* event)
{
    QPointer<FlexGrid> alive(this);
    int code = keys::virtualKey(*event);
    const int shift = keys::shiftState(event->modifiers());
    if (code != 0) {
        emit KeyDown(code, shift);
        if (!alive)
            return;
    }
    if (code != 0) {
        const FlexGridModel& m = d->model;
        const int firstRow = m.fixedRows;
        const int lastRow = m.rows - 1;
        auto visibleCol = [&](int from, int step) {
            for (int c = from; c >= m.fixedCols && c < m.cols; c += step)
                if (d->width(c) > 0)
                    return c;
            return -1;
        };
        const int pageRows = std::max(1, d->view->viewport()->height() / std::max(1, d->rowHeightPx) - 1);
        int row = d->row;
        int col = d->col;
        switch (keys::virtualKey(*event)) {
        case keys::Up: row = row > firstRow ? row - 1 : row; break;
        case keys::Down: row = row < firstRow ? firstRow : (row < lastRow ? row + 1 : row); break;
        case keys::PageUp: row = std::max(firstRow, row - pageRows); break;
        case keys::PageDown: row = std::min(lastRow, std::max(firstRow, row + pageRows)); break;
        case keys::Left: {
            const int c = visibleCol(col - 1, -1);
            col = c < 0 ? col : c;
            break;
        }
        case keys::Right: {
            const int c = visibleCol(std::max(col + 1, m.fixedCols), 1);
            col = c < 0 ? col : c;
            break;
        }
        case keys::Home: {
            const int c = visibleCol(m.fixedCols, 1);
            col = c < 0 ? col : c;
            if (shift & keys::ControlMask)
                row = firstRow;
            break;
        }
        case keys::End: {
            const int c = visibleCol(m.cols - 1, -1);
            col = c < 0 ? col : c;
            if (shift & keys::ControlMask)
                row = lastRow;
            break;
        }
        default: break;
        }
        if (row >= firstRow && row <= lastRow)
            moveTo(row, col, true);
        if (!alive)
            return;
    }
    int ascii = keys::keyAscii(*event);
    if (ascii != 0)
        emit KeyPress(ascii);
}

void FlexGrid::handleMousePress(QMouseEvent* event, QWidget* source)
{
    const QPoint at = source->mapTo(this, event->position().toPoint());
    QPointer<FlexGrid> alive(this);
    emit MouseDown(mouseButton(event->button()), keys::shiftState(event->modifiers()),
                   static_cast<float>(twips::fromPixels(at.x())), static_cast<float>(twips::fromPixels(at.y())));
    if (!alive)
        return;
    if (d->view->focusPolicy() != Qt::NoFocus && isEnabled())
        d->view->setFocus(Qt::MouseFocusReason);
    if (event->button() == Qt::LeftButton && source == d->view->viewport()) {
        // A fixed cell never becomes current.
        const QModelIndex index = d->view->indexAt(event->position().toPoint());
        if (index.isValid() && index.column() + d->model.headerCols() >= d->model.fixedCols)
            moveTo(index.row() + d->model.fixedRows, index.column() + d->model.headerCols(), true);
    }
}

bool FlexGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == d->corner && event->type() == QEvent::Paint && d->model.fixedRows > 0 &&
        d->model.headerCols() > 0) {
        QStyleOptionHeader option;
        option.initFrom(d->corner);
        // The corner takes no clicks, but its caption reads like the other headers.
        option.state |= QStyle::State_Enabled;
        option.palette = d->view->horizontalHeader()->palette();
        option.rect = d->corner->rect();
        option.position = QStyleOptionHeader::OnlyOneSection;
        option.text = d->model.cell(0, 0).text;
        option.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
        QPainter painter(d->corner);
        d->corner->style()->drawControl(QStyle::CE_Header, &option, &painter, d->corner);
        return true;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    switch (event->type()) {
    case QEvent::KeyPress:
        if (watched == d->view) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
                return false;
            handleKey(key);
            return true;
        }
        break;
    case QEvent::MouseButtonPress:
        if (widget && watched != d->view) {
            handleMousePress(static_cast<QMouseEvent*>(event), widget);
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        if (watched == d->view->viewport()) {
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                if (d->skipNextClick)
                    d->skipNextClick = false;
                else
                    emit Click();
            }
            return true;
        }
        if (widget && watched != d->view)
            return true;
        break;
    case QEvent::MouseButtonDblClick:
        if (watched == d->view->viewport()) {
            d->skipNextClick = true;
            emit DblClick();
            return true;
        }
        if (widget && watched != d->view)
            return true;
        break;
    case QEvent::MouseMove:
        if (watched == d->view->viewport())
            return true;
        break;
    case QEvent::Show:
        if (watched == d->view && d->untold) {
            d->untold = false;
            d->model.allChanged();
        }
        break;
    case QEvent::FocusIn:
        if (watched == d->view)
            emit GotFocus();
        break;
    case QEvent::FocusOut:
        if (watched == d->view)
            emit LostFocus();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}
