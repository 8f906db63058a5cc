// SPDX-License-Identifier: GPL-3.0-or-later
// The file list of a pane: a report view over a FileListModel. It reports the
// mouse the way the window's handlers expect it: a left click anywhere in the
// list (on a row or on empty space), a right button going down, a double click.
#pragma once

#include "panes/filelistmodel.h"

#include <QTreeView>

namespace nv {

class FileListView : public QTreeView {
    Q_OBJECT
public:
    FileListView(FileListModel *model, QAbstractItemView::SelectionMode mode, QWidget *parent = nullptr);

    FileListModel *files() const { return m_model; }

    // Selects every row as one range (a select per row would be quadratic).
    void selectAllRows();
    // The selected rows, ascending, read once from the selection ranges.
    std::vector<int> selectedRowNumbers() const;
    // The first selected row, -1 when none, and the first of the longest
    // selected names (counted in characters), from the same ranges.
    int firstSelectedRow() const;
    QString longestSelectedName() const;
    // One flag per row, in display order, from the same ranges.
    std::vector<bool> selectionFlags() const;
    // The text of every row, in display order.
    QStringList rowNames() const;
    // Sets the three column widths from twips, at the screen's logical DPI.
    void setColumnWidthsInTwips(const int (&twips)[FileListModel::ColumnCount]);
    // The simple view: the name column takes the whole width, as the two
    // others stay empty; otherwise all three show at their widths.
    void showNamesOnly(bool namesOnly);

signals:
    void clickedAnywhere();          // a button released over the list, or the selection moved by keyboard
    void mouseDown(int button);      // 1 left, 2 right, 4 middle
    void rowDoubleClicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    FileListModel *m_model;
    int m_columnTwips[FileListModel::ColumnCount] = {};

    void applyColumnWidths();
};

}  // namespace nv
