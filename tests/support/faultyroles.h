// SPDX-License-Identifier: GPL-3.0-or-later
// Each role of the platform behind a wrapper that passes its calls through
// CallFaults, where a test makes them fail; the calls that no test fails go
// straight to the role underneath.
#pragma once

#include "callfaults.h"

#include "platform/batchfiles.h"
#include "platform/folders.h"
#include "platform/journalfiles.h"
#include "platform/media.h"
#include "platform/textfiles.h"
#include "platform/trash.h"

namespace nv {

class FaultyFolders : public Folders {
public:
    FaultyFolders(Folders &role, CallFaults &faults) : m_role(role), m_faults(faults) {}

    FsResult<std::vector<FileEntry>> listPlainFiles(const QString &folder, bool withTimes) override;
    FsResult<QStringList> listSubfolders(const QString &folder) override;
    FsStatus checkFolder(const QString &folder) override;
    FsStatus makeFolder(const QString &folder) override { return m_role.makeFolder(folder); }
    QString startFolder() override { return m_role.startFolder(); }
    bool fileExists(const QString &path) override { return m_role.fileExists(path); }
    std::optional<qint64> modifiedTime(const QString &path) override { return m_role.modifiedTime(path); }
    QString dateTimeText(qint64 secondsSinceEpoch) override { return m_role.dateTimeText(secondsSinceEpoch); }

private:
    Folders &m_role;
    CallFaults &m_faults;
};

class FaultyTextFiles : public TextFiles {
public:
    FaultyTextFiles(TextFiles &role, CallFaults &faults) : m_role(role), m_faults(faults) {}

    FsResult<QString> readTextFile(const QString &path) override;
    FsStatus writeTextFile(const QString &path, const QString &text) override;

private:
    TextFiles &m_role;
    CallFaults &m_faults;
};

class FaultyBatchFiles : public BatchFiles {
public:
    FaultyBatchFiles(BatchFiles &role, CallFaults &faults) : m_role(role), m_faults(faults) {}

    FsResult<NameState> nameState(const QString &path) override;
    FsResult<FileVersion> fileVersion(const QString &path) override;
    // Each chunk of a copy counts as a CopyChunk call, so a run can be cut
    // halfway through a copy; its landing counts as the CopyFile call.
    FsResult<std::unique_ptr<WrittenCopy>> writeCopy(const QString &source, const QString &target,
                                                     Durability durability,
                                                     const KeepCopying &keepGoing = {}) override;
    FsResult<FileVersion> linkFile(const QString &source, const QString &target, Landing landing) override;
    FsStatus renameWithoutReplacing(const QString &from, const QString &to) override;
    FsStatus renameReplacing(const QString &from, const QString &to) override;
    QString keptNameFor(const QString &path) override { return m_role.keptNameFor(path); }
    FsStatus setAside(const QString &path, const QString &keptPath) override;
    void removeStaleTemporaries(const QString &folder) override { m_role.removeStaleTemporaries(folder); }
    FsResult<FolderProbe> probeFolder(const QString &folder, const QString &otherFolder) override;
    FsStatus flushCopies(const QString &folder, const QStringList &names) override;
    FsStatus setAttributesNormal(const QString &path) override;
    FsStatus deleteFile(const QString &path) override;

private:
    BatchFiles &m_role;
    CallFaults &m_faults;
};

// Pictures load as the role underneath loads them; a capture time that is made
// to fail reads as no EXIF.
class FaultyMedia : public Media {
public:
    FaultyMedia(Media &role, CallFaults &faults) : m_role(role), m_faults(faults) {}

    PictureFault readPictureSize(const QString &path, QSize &size) override
    {
        return m_role.readPictureSize(path, size);
    }
    PictureFault loadPicture(const QString &path, const QSize &shownSize, QImage &picture) override
    {
        return m_role.loadPicture(path, shownSize, picture);
    }
    CaptureTimeTexts readCaptureTime(const QString &path) override;

private:
    Media &m_role;
    CallFaults &m_faults;
};

class FaultyTrash : public Trash {
public:
    FaultyTrash(Trash &role, CallFaults &faults) : m_role(role), m_faults(faults) {}

    FsResult<TrashEntry> reserveTrashEntry(const QString &path) override;
    FsResult<TrashEntry> reserveNameBeside(const QString &path) override;
    FsStatus moveToTrash(const QString &path, const TrashEntry &entry) override;
    FsStatus releaseTrashEntry(const TrashEntry &entry) override;
    FsStatus restoreFromTrash(const TrashEntry &entry, const QString &path) override;
    FsResult<std::optional<FileVersion>> trashedFile(const TrashEntry &entry) override;

private:
    Trash &m_role;
    CallFaults &m_faults;
};

// The journals the role underneath opens come wrapped, so that their appends
// fail and cut on demand too.
class FaultyJournalFiles : public JournalFiles {
public:
    FaultyJournalFiles(JournalFiles &role, CallFaults &faults) : m_role(role), m_faults(faults) {}

    FsResult<std::unique_ptr<OpenJournal>> createJournal(const QString &folder) override;
    FsResult<std::unique_ptr<OpenJournal>> openJournal(const QString &path) override;
    FsResult<QStringList> listJournals(const QString &folder) override;
    FsResult<QByteArray> readJournal(const QString &path) override;
    FsResult<bool> isJournalLocked(const QString &path) override;
    FsStatus removeJournal(const QString &path) override;
    FsResult<QString> setJournalAside(const QString &path) override;

private:
    FsResult<std::unique_ptr<OpenJournal>> wrapped(FsResult<std::unique_ptr<OpenJournal>> opened);

    JournalFiles &m_role;
    CallFaults &m_faults;
};

}  // namespace nv
