// SPDX-License-Identifier: GPL-3.0-or-later
#include "panes/filelistmodel.h"

#include "text/characters.h"
#include "text/nameorder.h"

#include <numeric>

namespace nv {

QString extensionText(const QString &name)
{
    return QLatin1String("--") + rightCharacters(name, 3).toUpper() + QLatin1String("--");
}

namespace {

constexpr qint64 kUnreadable = FileEntry::kNotRead + 1;

}  // namespace

FileListModel::FileListModel(std::function<QString(qint64)> timeText, TimeReader readTime, QObject *parent)
    : QAbstractTableModel(parent), m_timeText(std::move(timeText)), m_readTime(std::move(readTime))
{
}

void FileListModel::setRows(std::vector<FileEntry> entries, bool detailed, const QString &folder)
{
    beginResetModel();
    m_rows = std::move(entries);
    m_folder = folder;
    m_order.resize(m_rows.size());
    std::iota(m_order.begin(), m_order.end(), size_t(0));
    m_detailed = detailed;
    m_sorted = false;
    ++m_fillCount;
    endResetModel();
}

void FileListModel::clearRows() { setRows({}, m_detailed); }

QString FileListModel::cellText(int row, int column) const
{
    FileEntry &entry = m_rows[m_order[size_t(row)]];
    switch (column) {
    case NameColumn:
        return entry.name;
    case ExtensionColumn:
        return m_detailed ? extensionText(entry.name) : QString();
    case TimeColumn:
        return m_detailed ? timeText(entry) : QString();
    default:
        return QString();
    }
}

// Read once, when the row is first shown or sorted by time: a file whose time
// cannot be read (gone since the listing) shows none.
QString FileListModel::timeText(FileEntry &entry) const
{
    if (entry.modified == FileEntry::kNotRead) {
        const std::optional<qint64> read = m_readTime ? m_readTime(joinPath(m_folder, entry.name)) : std::nullopt;
        entry.modified = read.value_or(kUnreadable);
    }
    return entry.modified == kUnreadable ? QString() : m_timeText(entry.modified);
}

void FileListModel::headerClicked(int column)
{
    if (column != m_sortKey) {
        m_sorted = false;
        m_sortOrder = Qt::AscendingOrder;
    }
    m_sortKey = column;
    if (m_sorted) {
        m_sortOrder = m_sortOrder == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
        reorder();
        if (m_sortOrder == Qt::AscendingOrder) m_sorted = false;
    } else {
        m_sorted = true;
        reorder();
    }
}

void FileListModel::reorder()
{
    // One key text per row, made once: sorting by the time column would
    // otherwise format each time stamp many times over. The texts compare as
    // the listing orders names.
    QStringList keys;
    keys.reserve(qsizetype(m_order.size()));
    for (size_t row = 0; row < m_order.size(); ++row) keys.append(cellText(int(row), m_sortKey));
    std::vector<size_t> order;
    order.reserve(m_order.size());
    for (const qsizetype row : nameOrder(keys, m_sortOrder)) order.push_back(m_order[size_t(row)]);

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> newRowOf(m_rows.size());
    for (size_t row = 0; row < order.size(); ++row) newRowOf[order[row]] = int(row);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex &index : before)
        after.append(this->index(newRowOf[m_order[size_t(index.row())]], index.column()));
    m_order = std::move(order);
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int FileListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int FileListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FileListModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid()) return QVariant();
    return cellText(index.row(), index.column());
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal) return QVariant();
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return QVariant();
    static const char *const captions[ColumnCount] = {QT_TR_NOOP("ファイルネーム"), QT_TR_NOOP("拡張子"), QT_TR_NOOP("更新日付")};
    return section >= 0 && section < ColumnCount ? tr(captions[section]) : QVariant();
}

}  // namespace nv
