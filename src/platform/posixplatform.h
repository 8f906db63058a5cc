// The file-system half of the platform on Linux: POSIX calls on the exact bytes
// of every name. The user-interface half (message boxes, pointer, events) is
// left to the desktop implementation and to the scripted one of the tests.
#pragma once

#include "platform/platform.h"

#include <QHash>

namespace nv {

class PosixPlatform : public Platform {
public:
    FsResult<std::vector<FileEntry>> listPlainFiles(const QString &folder, bool withTimes) override;
    FsResult<QStringList> listSubfolders(const QString &folder) override;
    FsStatus checkFolder(const QString &folder) override;
    FsStatus makeFolder(const QString &folder) override;
    bool fileExists(const QString &path) override;
    FsStatus setAttributesNormal(const QString &path) override;
    FsStatus deleteFile(const QString &path) override;
    QString dateTimeText(qint64 secondsSinceEpoch) override;

    std::vector<Volume> volumes() override;
    QString currentFolderOf(const QString &volumeRoot) override;
    void setCurrentFolder(const QString &folder) override;

    FsResult<QString> readTextFile(const QString &path) override;
    FsStatus writeTextFile(const QString &path, const QString &text) override;

    // The files of a batch: posixbatchfiles.cpp.
    FsResult<NameState> nameState(const QString &path) override;
    FsResult<FileVersion> fileVersion(const QString &path) override;
    FsResult<FileVersion> copyFile(const QString &source, const QString &target, Landing landing,
                                   bool durable) override;
    FsResult<FileVersion> linkFile(const QString &source, const QString &target, Landing landing) override;
    FsStatus renameWithoutReplacing(const QString &from, const QString &to) override;
    FsStatus renameReplacing(const QString &from, const QString &to) override;
    FsResult<QString> setAside(const QString &path) override;
    void removeStaleTemporaries(const QString &folder) override;
    FsResult<FolderProbe> probeFolder(const QString &folder, const QString &otherFolder) override;
    FsStatus flushVolume(const QString &folder) override;

protected:
    // Writes bytes to a temporary file beside path and renames it into place.
    FsStatus writeFileAtomically(const QString &path, const QByteArray &bytes);

private:
    QHash<QString, QString> m_currentFolders;   // volume root -> folder

    // The date texts of one listing mostly share a few days; formatting each
    // day once keeps a folder of a hundred thousand files quick to list.
    qint64 m_cachedDay = -1;
    QString m_cachedDateText;
};

}  // namespace nv
