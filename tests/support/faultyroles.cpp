#include "faultyroles.h"

namespace nv {

using Operation = CallFaults::Operation;

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

FsResult<FileVersion> FaultyBatchFiles::copyFile(const QString &source, const QString &target, Landing landing,
                                                 bool durable)
{
    return m_faults.run(Operation::CopyFile, target, [&] { return m_role.copyFile(source, target, landing, durable); });
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

FsResult<QString> FaultyBatchFiles::setAside(const QString &path)
{
    return m_faults.run(Operation::Rename, path, [&] { return m_role.setAside(path); });
}

FsResult<BatchFiles::FolderProbe> FaultyBatchFiles::probeFolder(const QString &folder, const QString &otherFolder)
{
    return m_faults.run(Operation::ProbeFolder, folder, [&] { return m_role.probeFolder(folder, otherFolder); });
}

FsStatus FaultyBatchFiles::flushVolume(const QString &folder)
{
    return m_faults.run(Operation::FlushVolume, folder, [&] { return m_role.flushVolume(folder); });
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

}  // namespace nv
