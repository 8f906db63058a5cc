// SPDX-License-Identifier: GPL-3.0-or-later
// A temporary folder for a test, with files of given names, contents and times.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace nv {

class TempFolder {
public:
    TempFolder();
    // Removes the folder by the bytes of its names, so that files a test made
    // under names that are not valid UTF-8 go too.
    ~TempFolder();

    // The folder's path, ending in "/".
    QString path() const { return m_path; }
    QString pathOf(const QString &name) const { return m_path + name; }

    // Creates (or replaces) a file; a modification time of -1 leaves the current one.
    QString addFile(const QString &name, const QByteArray &contents = QByteArray(), qint64 modified = -1);
    // Creates a subfolder and returns its path, ending in "/".
    QString addFolder(const QString &name);

    bool exists(const QString &name) const;
    QByteArray contents(const QString &name) const;
    // The names in the folder, sorted, hidden ones included.
    QStringList names() const;

private:
    QTemporaryDir m_dir;
    QString m_path;
};

}  // namespace nv
