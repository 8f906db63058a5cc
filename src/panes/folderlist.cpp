// SPDX-License-Identifier: GPL-3.0-or-later
#include "panes/folderlist.h"

#include <QKeyEvent>
#include <QStyle>
#include <QStyledItemDelegate>

namespace nv {
namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kDepthRole = Qt::UserRole + 1;

// Draws each entry indented by its depth. The indent is drawn, not typed into
// the text, so that typing the first letters of a folder finds it.
class IndentDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem indented = option;
        indented.rect.setLeft(option.rect.left() + indent(option, index));
        QStyledItemDelegate::paint(painter, indented, index);
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(indent(option, index), 0);
    }

private:
    static int indent(const QStyleOptionViewItem &option, const QModelIndex &index)
    {
        return index.data(kDepthRole).toInt() * 2 * option.fontMetrics.averageCharWidth();
    }
};

}  // namespace

FolderList::FolderList(Folders &folders, Volumes &volumes, QWidget *parent)
    : QListWidget(parent), m_folders(folders), m_volumes(volumes)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    const int iconSide = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    setIconSize(QSize(iconSide, iconSide));
    setItemDelegate(new IndentDelegate(this));
    connect(this, &QListWidget::itemDoubleClicked, this, &FolderList::openEntry);
}

QString FolderList::highlightedPath() const
{
    const QListWidgetItem *item = currentItem();
    return item ? item->data(kPathRole).toString() : m_path;
}

FsStatus FolderList::openFolder(const QString &folder)
{
    const QString target = withTrailingSlash(folder);
    const FsResult<QStringList> subfolders = m_folders.listSubfolders(target);
    if (!subfolders.ok()) return subfolders.status;
    const bool moved = target != m_path;
    m_path = target;
    fill(target, subfolders.value);
    if (moved) emit changed();
    return FsStatus::success();
}

void FolderList::openEntry(QListWidgetItem *item)
{
    if (!item) return;
    const QString folder = item->data(kPathRole).toString();
    const FsStatus status = openFolder(folder);
    if (!status.ok()) emit openFailed(folder, status);
}

void FolderList::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        openEntry(currentItem());
        return;
    }
    QListWidget::keyPressEvent(event);
}

void FolderList::fill(const QString &folder, const QStringList &subfolders)
{
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirIcon);
    setUpdatesEnabled(false);
    clear();

    // The folder and those above it, from the root of its volume down,
    // indented by depth. Nothing above that root: the drive list names the
    // volume, and the folder list must not lead out of it.
    QString path = m_volumes.volumeOf(folder);
    if (path.isEmpty()) path = kRootFolder;
    const QStringList parts = folder.mid(path.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    auto *root = new QListWidgetItem(openIcon, path, this);
    root->setData(kPathRole, path);
    QListWidgetItem *open = root;
    for (int depth = 0; depth < parts.size(); ++depth) {
        path += parts[depth] + QLatin1Char('/');
        open = new QListWidgetItem(openIcon, parts[depth], this);
        open->setData(kPathRole, path);
        open->setData(kDepthRole, depth + 1);
    }
    for (const QString &name : subfolders) {
        auto *item = new QListWidgetItem(closedIcon, name, this);
        item->setData(kPathRole, folder + name + QLatin1Char('/'));
        item->setData(kDepthRole, parts.size() + 1);
    }
    setCurrentItem(open);
    scrollToItem(open);
    setUpdatesEnabled(true);
}

}  // namespace nv
