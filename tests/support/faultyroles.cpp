// SPDX-License-Identifier: GPL-3.0-or-later
#include "faultyroles.h"

namespace nv {

using Operation = CallFaults::Operation;

namespace {

class FaultyOpenJournal : public OpenJournal {
public:
    FaultyOpenJournal(std::unique_ptr<OpenJournal> journal, CallFaults &faults)
        : m_journal(std::move(journal)), m_faults(faults) {}

    QString path() const override { return m_journal->path(); }
    FsStatus append(const QByteArray &bytes) override
    {
        return m_faults.run(Operation::AppendJournal, path(), [&] { return m_journal->append(bytes); });
    }

private:
    std::unique_ptr<OpenJournal> m_journal;
    CallFaults &m_faults;
};

}  // namespace

FsResult<std::vector<FileEntry>> FaultyFolders::listPlainFiles(const QString &folder, bool withTimes)
{
    return m_faults.run(Operation::ListPlainFiles, folder, [&] { return m_role.listPlainFiles(folder, withTimes); });
}

FsResult<QStringList> FaultyFolders::listSubfolders(const QString &folder)
{
    return m_faults.run(Operation::ListSubfolders, folder, [&] { return m_role.listSubfolders(folder); });
}

FsStatus FaultyFolders::checkFolder(const QString &folder)
{
    return m_faults.run(Operation::CheckFolder, folder, [&] { return m_role.checkFolder(folder); });
}

FsResult<QString> FaultyTextFiles::readTextFile(const QString &path)
{
    return m_faults.run(Operation::ReadTextFile, path, [&] { return m_role.readTextFile(path); });
}

FsStatus FaultyTextFiles::writeTextFile(const QString &path, const QString &text)
{
    return m_faults.run(Operation::WriteTextFile, path, [&] { return m_role.writeTextFile(path, text); });
}

FsResult<BatchFiles::NameState> FaultyBatchFiles::nameState(const QString &path)
{
    return m_faults.run(Operation::Existence, path, [&] { return m_role.nameState(path); });
}

FsResult<FileVersion> FaultyBatchFiles::fileVersion(const QString &path)
{
    return m_faults.run(Operation::Identity, path, [&] { return m_role.fileVersion(path); });
}

namespace {

class FaultyWrittenCopy : public BatchFiles::WrittenCopy {
public:
    FaultyWrittenCopy(std::unique_ptr<WrittenCopy> copy, CallFaults &faults) : m_copy(std::move(copy)), m_faults(faults) {}
    FileVersion source() const override { return m_copy->source(); }
    FsStatus land(const QString &target, BatchFiles::Landing landing) override
    {
        return m_faults.run(CallFaults::Operation::CopyFile, target, [&] { return m_copy->land(target, landing); });
    }

private:
    std::unique_ptr<WrittenCopy> m_copy;
    CallFaults &m_faults;
};

}  // namespace

FsResult<std::unique_ptr<BatchFiles::WrittenCopy>> FaultyBatchFiles::writeCopy(const QString &source,
                                                                              const QString &target,
                                                                              Durability durability,
                                                                              const KeepCopying &keepGoing)
{
    const KeepCopying chunk = [&] {
        return m_faults.run(Operation::CopyChunk, target, [&] { return FsStatus::success(); }).ok()
               && (!keepGoing || keepGoing());
    };
    FsResult<std::unique_ptr<WrittenCopy>> written = m_role.writeCopy(source, target, durability, chunk);
    if (written.ok()) written.value = std::make_unique<FaultyWrittenCopy>(std::move(written.value), m_faults);
    return written;
}

FsResult<FileVersion> FaultyBatchFiles::linkFile(const QString &source, const QString &target, Landing landing)
{
    return m_faults.run(Operation::Link, target, [&] { return m_role.linkFile(source, target, landing); });
}

FsStatus FaultyBatchFiles::renameWithoutReplacing(const QString &from, const QString &to)
{
    return m_faults.run(Operation::Rename, to, [&] { return m_role.renameWithoutReplacing(from, to); });
}

FsStatus FaultyBatchFiles::renameReplacing(const QString &from, const QString &to)
{
    return m_faults.run(Operation::Rename, to, [&] { return m_role.renameReplacing(from, to); });
}

FsStatus FaultyBatchFiles::setAside(const QString &path, const QString &keptPath)
{
    return m_faults.run(Operation::Rename, path, [&] { return m_role.setAside(path, keptPath); });
}

FsResult<BatchFiles::FolderProbe> FaultyBatchFiles::probeFolder(const QString &folder, const QString &otherFolder)
{
    return m_faults.run(Operation::ProbeFolder, folder, [&] { return m_role.probeFolder(folder, otherFolder); });
}

FsStatus FaultyBatchFiles::flushCopies(const QString &folder, const QStringList &names)
{
    return m_faults.run(Operation::FlushCopies, folder, [&] { return m_role.flushCopies(folder, names); });
}

FsStatus FaultyBatchFiles::setAttributesNormal(const QString &path)
{
    return m_faults.run(Operation::SetAttributesNormal, path, [&] { return m_role.setAttributesNormal(path); });
}

FsStatus FaultyBatchFiles::deleteFile(const QString &path)
{
    return m_faults.run(Operation::DeleteFile, path, [&] { return m_role.deleteFile(path); });
}

CaptureTimeTexts FaultyMedia::readCaptureTime(const QString &path)
{
    return m_faults.run(Operation::ReadCaptureTime, path, [&] { return m_role.readCaptureTime(path); });
}

FsResult<TrashEntry> FaultyTrash::reserveTrashEntry(const QString &path)
{
    return m_faults.run(Operation::ReserveTrashEntry, path, [&] { return m_role.reserveTrashEntry(path); });
}

FsResult<TrashEntry> FaultyTrash::reserveNameBeside(const QString &path)
{
    return m_faults.run(Operation::ReserveNameBeside, path, [&] { return m_role.reserveNameBeside(path); });
}

FsStatus FaultyTrash::moveToTrash(const QString &path, const TrashEntry &entry)
{
    return m_faults.run(Operation::MoveToTrash, path, [&] { return m_role.moveToTrash(path, entry); });
}

FsStatus FaultyTrash::releaseTrashEntry(const TrashEntry &entry)
{
    return m_faults.run(Operation::ReleaseTrashEntry, entry.filePath(), [&] { return m_role.releaseTrashEntry(entry); });
}

FsStatus FaultyTrash::restoreFromTrash(const TrashEntry &entry, const QString &path)
{
    return m_faults.run(Operation::RestoreFromTrash, path, [&] { return m_role.restoreFromTrash(entry, path); });
}

FsResult<std::optional<FileVersion>> FaultyTrash::trashedFile(const TrashEntry &entry)
{
    return m_faults.run(Operation::TrashedFile, entry.filePath(), [&] { return m_role.trashedFile(entry); });
}

FsResult<std::unique_ptr<OpenJournal>> FaultyJournalFiles::wrapped(FsResult<std::unique_ptr<OpenJournal>> opened)
{
    if (opened.value) opened.value = std::make_unique<FaultyOpenJournal>(std::move(opened.value), m_faults);
    return opened;
}

FsResult<std::unique_ptr<OpenJournal>> FaultyJournalFiles::createJournal(const QString &folder)
{
    return wrapped(m_faults.run(Operation::CreateJournal, folder, [&] { return m_role.createJournal(folder); }));
}

FsResult<std::unique_ptr<OpenJournal>> FaultyJournalFiles::openJournal(const QString &path)
{
    return wrapped(m_faults.run(Operation::OpenJournal, path, [&] { return m_role.openJournal(path); }));
}

FsResult<QStringList> FaultyJournalFiles::listJournals(const QString &folder)
{
    return m_faults.run(Operation::ListJournals, folder, [&] { return m_role.listJournals(folder); });
}

FsResult<QByteArray> FaultyJournalFiles::readJournal(const QString &path)
{
    return m_faults.run(Operation::ReadJournal, path, [&] { return m_role.readJournal(path); });
}

FsResult<bool> FaultyJournalFiles::isJournalLocked(const QString &path)
{
    return m_faults.run(Operation::JournalLocked, path, [&] { return m_role.isJournalLocked(path); });
}

FsStatus FaultyJournalFiles::removeJournal(const QString &path)
{
    return m_faults.run(Operation::RemoveJournal, path, [&] { return m_role.removeJournal(path); });
}

FsResult<QString> FaultyJournalFiles::setJournalAside(const QString &path)
{
    return m_faults.run(Operation::SetJournalAside, path, [&] { return m_role.setJournalAside(path); });
}

}  // namespace nv
