// SPDX-License-Identifier: GPL-3.0-or-later
// The folder list of a pane: the open folder, the folders above it up to the
// root of its volume, and its subfolders. A single click only highlights an
// entry; a double click or Enter opens it. Opening another folder, by the user
// or from code, emits changed().
#pragma once

#include "platform/folders.h"
#include "platform/volumes.h"

#include <QListWidget>

namespace nv {

class FolderList : public QListWidget {
    Q_OBJECT
public:
    FolderList(Folders &folders, Volumes &volumes, QWidget *parent = nullptr);

    // The open folder, ending in "/"; empty before the first opening.
    QString path() const { return m_path; }
    // The highlighted entry, ending in "/": the open folder right after an
    // opening, another entry after a single click.
    QString highlightedPath() const;
    // Opens a folder: reads its subfolders and shows them; emits changed()
    // when it is another folder than the open one. On failure nothing changes.
    FsStatus openFolder(const QString &folder);

signals:
    void changed();
    // Opening an entry chosen by the user failed.
    void openFailed(const QString &folder, const FsStatus &status);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    Folders &m_folders;
    Volumes &m_volumes;
    QString m_path;

    void openEntry(QListWidgetItem *item);
    void fill(const QString &folder, const QStringList &subfolders);
};

}  // namespace nv
