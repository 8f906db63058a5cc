// SPDX-License-Identifier: GPL-3.0-or-later
// The thumbnail box: a double click on a file of either list shows it there.
#include "app/form1.h"

#include "panes/filelistview.h"
#include "panes/folderlist.h"
#include "preview/thumbnailloader.h"

#include <QLabel>
#include <QPixmap>

namespace nv {

void Form1::ListView1_DblClick() { showThumbnailOf(Dir1, ListView1); }

void Form1::ListView2_DblClick() { showThumbnailOf(Dir2, ListView2); }

void Form1::showThumbnailOf(FolderList *dir, FileListView *list)
{
    const QModelIndex selected = list->currentIndex();
    if (!selected.isValid()) return;
    // The folder open in the folder list, which a single click elsewhere in it does not change.
    ThumbnailPath = thumbnailPath(dir->path(), list->files()->name(selected.row()));
    ShowThumbnail();
}

void Form1::ShowThumbnail()
{
    Image1->hide();
    Image1->setScaledContents(false);
    const QRect box = Picture1->contentsRect();
    const std::optional<Thumbnail> thumbnail =
        loadThumbnail(m_platform.media, m_platform.dialogs, ThumbnailPath, box.size(), Image1->devicePixelRatioF());
    if (!thumbnail) return;
    Image1->setPixmap(QPixmap::fromImage(thumbnail->picture));
    Image1->setScaledContents(thumbnail->placement.stretch);
    Image1->setGeometry(thumbnail->placement.geometry().translated(box.topLeft()));
    Image1->show();
}

}  // namespace nv
