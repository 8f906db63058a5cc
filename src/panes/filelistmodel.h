// SPDX-License-Identifier: GPL-3.0-or-later
// The rows of one folder pane: one row per plain file, with the file name, the
// extension text and the modification-time text, and the pane's sort state.
//
// The two detail cells are display only. They are made when a row is shown,
// from the name and the file's time stamp, read then unless the listing read
// it already; so listing a folder of a hundred thousand files costs one pass
// over the directory and nothing more.
#pragma once

#include "platform/folders.h"

#include <QAbstractTableModel>
#include <functional>
#include <vector>

namespace nv {

// "--" + the last three characters of the whole name, upper-cased, + "--";
// an emoji counts as one character.
QString extensionText(const QString &name);

class FileListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { NameColumn = 0, ExtensionColumn = 1, TimeColumn = 2, ColumnCount = 3 };

    // Reads the modification time of the file at a path; none when it cannot.
    using TimeReader = std::function<std::optional<qint64>(const QString &path)>;

    // timeText turns a time stamp into its text (the platform's regional form);
    // readTime reads the times a listing left unread (without it they show none).
    explicit FileListModel(std::function<QString(qint64)> timeText, TimeReader readTime = {},
                           QObject *parent = nullptr);

    // Replaces every row, in the given order, with the files of folder. With
    // detailed false (simple view) the two detail cells stay empty. Clears the
    // sorted flag; key and order stay.
    void setRows(std::vector<FileEntry> entries, bool detailed, const QString &folder = QString());
    // Removes every row and clears the sorted flag.
    void clearRows();
    // Counts the fills and clears, so that work spread over several events can
    // tell that the rows it started on are gone.
    quint64 fillCount() const { return m_fillCount; }

    // The file name shown in a row (rows count in display order).
    QString name(int row) const { return m_rows[m_order[size_t(row)]].name; }
    QString cellText(int row, int column) const;

    // The sort state: while sorted, rows stand in the order of the key
    // column's texts; clearing the flag leaves the rows where they are.
    bool isSorted() const { return m_sorted; }
    int sortKey() const { return m_sortKey; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }
    // A click on the header of column (0 to 2): a click on another column
    // starts it ascending; repeated clicks go ascending, descending, unsorted.
    void headerClicked(int column);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::function<QString(qint64)> m_timeText;
    TimeReader m_readTime;
    QString m_folder;
    mutable std::vector<FileEntry> m_rows;   // in the listing's order; times filled in as rows are shown
    std::vector<size_t> m_order;        // display row -> index into m_rows
    bool m_detailed = false;
    bool m_sorted = false;
    int m_sortKey = NameColumn;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    quint64 m_fillCount = 0;

    void reorder();
    QString timeText(FileEntry &entry) const;
};

}  // namespace nv
