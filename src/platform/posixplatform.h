// SPDX-License-Identifier: GPL-3.0-or-later
// The roles of the platform that Linux provides through POSIX calls on the
// exact bytes of every name: folders, text files, volumes and the files of a
// batch. The desktop side (dialogs, media, the desktop) is desktopplatform.h.
#pragma once

#include "platform/batchfiles.h"
#include "platform/folders.h"
#include "platform/textfiles.h"
#include "platform/volumes.h"

#include <QHash>

namespace nv {

class PosixFolders : public Folders {
public:
    FsResult<std::vector<FileEntry>> listPlainFiles(const QString &folder, bool withTimes) override;
    std::optional<qint64> modifiedTime(const QString &path) override;
    FsResult<QStringList> listSubfolders(const QString &folder) override;
    FsStatus checkFolder(const QString &folder) override;
    FsStatus makeFolder(const QString &folder) override;
    QString startFolder() override;
    bool fileExists(const QString &path) override;
    QString dateTimeText(qint64 secondsSinceEpoch) override;

private:
    // The date texts of one listing mostly share a few days; formatting each
    // day once keeps a folder of a hundred thousand files quick to list.
    qint64 m_cachedDay = -1;
    QString m_cachedDateText;
};

class PosixTextFiles : public TextFiles {
public:
    FsResult<QString> readTextFile(const QString &path) override;
    FsStatus writeTextFile(const QString &path, const QString &text) override;
};

class PosixVolumes : public Volumes {
public:
    std::vector<Volume> volumes() override;
    QString currentFolderOf(const QString &volumeRoot) override;
    void setCurrentFolder(const QString &folder) override;
    FsResult<VolumeFacts> volumeFacts(const QString &folder) override;   // posixvolumefacts.cpp

private:
    QHash<QString, QString> m_currentFolders;   // volume root -> folder
};

class PosixBatchFiles : public BatchFiles {
public:
    FsResult<NameState> nameState(const QString &path) override;
    FsResult<FileVersion> fileVersion(const QString &path) override;
    std::vector<FsResult<NameState>> nameStates(const QString &folder, const QStringList &names) override;
    std::vector<FsResult<FileVersion>> fileVersions(const QString &folder, const QStringList &names) override;
    FsResult<std::unique_ptr<WrittenCopy>> writeCopy(const QString &source, const QString &target,
                                                     Durability durability,
                                                     const KeepCopying &keepGoing = {}) override;
    FsResult<FileVersion> linkFile(const QString &source, const QString &target, Landing landing) override;
    FsStatus renameWithoutReplacing(const QString &from, const QString &to) override;
    FsStatus renameReplacing(const QString &from, const QString &to) override;
    QString keptNameFor(const QString &path) override;
    FsStatus setAside(const QString &path, const QString &keptPath) override;
    void removeStaleTemporaries(const QString &folder) override;
    FsResult<FolderProbe> probeFolder(const QString &folder, const QString &otherFolder) override;
    FsStatus flushCopies(const QString &folder, const QStringList &names) override;
    FsStatus setAttributesNormal(const QString &path) override;
    FsStatus deleteFile(const QString &path) override;
};

}  // namespace nv
