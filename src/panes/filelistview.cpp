// SPDX-License-Identifier: GPL-3.0-or-later
#include "panes/filelistview.h"

#include "text/characters.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

namespace nv {

FileListView::FileListView(FileListModel *model, QAbstractItemView::SelectionMode mode, QWidget *parent)
    : QTreeView(parent), m_model(model)
{
    model->setParent(this);
    setModel(model);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);   // lets the view skip measuring a hundred thousand rows
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(mode);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    header()->setSectionsClickable(true);
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(false);
    header()->setSortIndicatorShown(false);
}

void FileListView::selectAllRows()
{
    const int rows = m_model->rowCount();
    if (rows == 0) return;
    const QItemSelection all(m_model->index(0, 0), m_model->index(rows - 1, FileListModel::ColumnCount - 1));
    selectionModel()->select(all, QItemSelectionModel::ClearAndSelect);
}

std::vector<int> FileListView::selectedRowNumbers() const
{
    std::vector<int> rows;
    for (const QItemSelectionRange &range : selectionModel()->selection())
        for (int row = range.top(); row <= range.bottom(); ++row) rows.push_back(row);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

int FileListView::firstSelectedRow() const
{
    int first = -1;
    for (const QItemSelectionRange &range : selectionModel()->selection())
        if (first < 0 || range.top() < first) first = range.top();
    return first;
}

QString FileListView::longestSelectedName() const
{
    qsizetype longest = -1;
    int longestRow = -1;
    for (const QItemSelectionRange &range : selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row) {
            const QString name = m_model->name(row);
            if (name.size() < longest) continue;   // no name has more characters than UTF-16 units
            const qsizetype length = characterCount(name);
            if (length > longest || (length == longest && row < longestRow)) {
                longest = length;
                longestRow = row;
            }
        }
    }
    return longestRow < 0 ? QString() : m_model->name(longestRow);
}

std::vector<bool> FileListView::selectionFlags() const
{
    std::vector<bool> selected(size_t(m_model->rowCount()), false);
    for (const QItemSelectionRange &range : selectionModel()->selection())
        for (int row = range.top(); row <= range.bottom(); ++row) selected[size_t(row)] = true;
    return selected;
}

QStringList FileListView::rowNames() const
{
    QStringList names;
    const int count = m_model->rowCount();
    names.reserve(count);
    for (int row = 0; row < count; ++row) names.append(m_model->name(row));
    return names;
}

void FileListView::setColumnWidthsInTwips(const int (&twips)[FileListModel::ColumnCount])
{
    std::copy(std::begin(twips), std::end(twips), m_columnTwips);
    applyColumnWidths();
}

void FileListView::applyColumnWidths()
{
    const double pixelsPerTwip = logicalDpiX() / 1440.0;
    for (int column = 0; column < FileListModel::ColumnCount; ++column)
        header()->resizeSection(column, qRound(m_columnTwips[column] * pixelsPerTwip));
}

void FileListView::showNamesOnly(bool namesOnly)
{
    setColumnHidden(FileListModel::ExtensionColumn, namesOnly);
    setColumnHidden(FileListModel::TimeColumn, namesOnly);
    header()->setStretchLastSection(namesOnly);
    if (!namesOnly) applyColumnWidths();
}

void FileListView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        // The right button belongs to the window's select-all; the view's own
        // handling would first select the one row under the pointer.
        emit mouseDown(2);
        event->accept();
        return;
    }
    QTreeView::mousePressEvent(event);
    emit mouseDown(event->button() == Qt::LeftButton ? 1 : 4);
}

void FileListView::mouseReleaseEvent(QMouseEvent *event)
{
    QTreeView::mouseReleaseEvent(event);
    // A right click counts as a click too: after selecting every row with the
    // right button, the user can rename without another click.
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) emit clickedAnywhere();
}

void FileListView::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTreeView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid()) emit rowDoubleClicked();
}

void FileListView::keyPressEvent(QKeyEvent *event)
{
    const QItemSelection before = selectionModel()->selection();
    QTreeView::keyPressEvent(event);
    if (selectionModel()->selection() != before) emit clickedAnywhere();
}

}  // namespace nv
