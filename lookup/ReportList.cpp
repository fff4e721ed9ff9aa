#include "ReportList.h"

#include "platform/RuntimeError.h"

#include <QHeaderView>
#include <algorithm>
#include <QKeyEvent>

namespace {
constexpr int InvalidPropertyValue = 380;

class Row : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem& other) const override
    {
        const auto* list = qobject_cast<const ReportList*>(treeWidget());
        const int column = list ? list->sortKey() : 0;
        return text(column).compare(other.text(column), Qt::CaseInsensitive) < 0;
    }
};
}  // namespace

ReportList::ReportList(QWidget* parent) : QTreeWidget(parent)
{
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    header()->setStretchLastSection(false);
    header()->setSectionsClickable(true);
    header()->setSectionsMovable(false);
    setColumnCount(0);
    connect(header(), &QHeaderView::sectionClicked, this, [this](int section) { emit columnClicked(section + 1); });
}

void ReportList::clearColumns()
{
    setColumnCount(0);
    setHeaderLabels({});
}

void ReportList::addColumn(const QString& text, int width)
{
    const int n = columnCount();
    setColumnCount(n + 1);
    headerItem()->setText(n, text);
    header()->resizeSection(n, width);
}

QString ReportList::columnText(int column) const
{
    if (column < 1 || column > columnCount())
        return {};
    return headerItem()->text(column - 1);
}

int ReportList::columnLeft(int column) const
{
    return header()->sectionPosition(column - 1);
}

int ReportList::columnWidth(int column) const
{
    return header()->sectionSize(column - 1);
}

void ReportList::widenToFit(int column, int most)
{
    const int section = column - 1;
    const int caption = header()->sectionSizeHint(section);
    const int texts = std::min(sizeHintForColumn(section), most);
    header()->resizeSection(section, std::max({columnWidth(column), caption, texts}));
}

QTreeWidgetItem* ReportList::item(int row) const
{
    QTreeWidgetItem* it = row >= 1 ? topLevelItem(row - 1) : nullptr;
    if (!it)
        throw RuntimeError(InvalidPropertyValue, QStringLiteral("Indice fuera de los limites"));
    return it;
}

int ReportList::addRow(const QString& text)
{
    auto* it = new Row(this);
    it->setText(0, text);
    if (m_checkBoxes) {
        it->setFlags(it->flags() | Qt::ItemIsUserCheckable);
        it->setCheckState(0, Qt::Unchecked);
    }
    return topLevelItemCount();
}

QString ReportList::rowText(int row) const
{
    return item(row)->text(0);
}

void ReportList::setRowText(int row, const QString& text)
{
    item(row)->setText(0, text);
}

QString ReportList::subItem(int row, int k) const
{
    if (k < 1 || k >= columnCount())
        throw RuntimeError(InvalidPropertyValue, QStringLiteral("Valor de propiedad no valido"));
    return item(row)->text(k);
}

void ReportList::setSubItem(int row, int k, const QString& text)
{
    if (k < 1 || k >= columnCount())
        throw RuntimeError(InvalidPropertyValue, QStringLiteral("Valor de propiedad no valido"));
    item(row)->setText(k, text);
}

QString ReportList::cell(int row, int column) const
{
    return column == 1 ? rowText(row) : subItem(row, column - 1);
}

void ReportList::setCheckBoxes(bool on)
{
    m_checkBoxes = on;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem* it = topLevelItem(i);
        if (on) {
            it->setFlags(it->flags() | Qt::ItemIsUserCheckable);
            if (it->data(0, Qt::CheckStateRole).isNull())
                it->setCheckState(0, Qt::Unchecked);
        } else {
            it->setFlags(it->flags() & ~Qt::ItemIsUserCheckable);
            it->setData(0, Qt::CheckStateRole, QVariant());
        }
    }
}

bool ReportList::isChecked(int row) const
{
    return m_checkBoxes && item(row)->checkState(0) == Qt::Checked;
}

void ReportList::setChecked(int row, bool checked)
{
    if (m_checkBoxes)
        item(row)->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
}

void ReportList::keyPressEvent(QKeyEvent* event)
{
    // The view ticks only when the current cell is the one that holds the
    // box; a row reached by a click on another of its columns would never
    // be ticked from the keyboard.
    QTreeWidgetItem* it = currentItem();
    if (m_checkBoxes && it && event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        it->setCheckState(0, it->checkState(0) == Qt::Checked ? Qt::Unchecked : Qt::Checked);
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void ReportList::setRowLook(int row, const QColor& color, bool bold)
{
    QTreeWidgetItem* it = item(row);
    for (int c = 0; c < columnCount(); ++c) {
        it->setForeground(c, color);
        QFont f = it->font(c);
        f.setBold(bold);
        it->setFont(c, f);
    }
}

void ReportList::setRowIcon(int row, const QIcon& icon)
{
    item(row)->setIcon(0, icon);
}

QIcon ReportList::rowIcon(int row) const
{
    return item(row)->icon(0);
}

int ReportList::selectedRow() const
{
    QTreeWidgetItem* it = currentItem();
    if (!it || !it->isSelected())
        return 0;
    return indexOfTopLevelItem(it) + 1;
}

void ReportList::selectRow(int row)
{
    QTreeWidgetItem* it = item(row);
    setCurrentItem(it);
    it->setSelected(true);
    scrollToItem(it);
}

void ReportList::setSorting(bool sorted, int key, Qt::SortOrder order)
{
    m_sorted = sorted;
    m_sortKey = key;
    m_sortOrder = order;
    applySort();
}

void ReportList::applySort()
{
    if (m_sorted && m_sortKey < columnCount())
        sortItems(m_sortKey, m_sortOrder);
}
