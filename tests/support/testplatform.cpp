#include "testplatform.h"

#include "platform/exifcapturetime.h"
#include "platform/picturefile.h"

#include <QCoreApplication>

namespace nv {

void TestPlatform::failCall(Operation operation, int nth, FsStatus status)
{
    m_callFailures.insert({operation, m_calls.value(operation) + nth}, status);
}

void TestPlatform::failPath(Operation operation, const QString &prefix, FsStatus status)
{
    m_pathFailures.push_back({operation, prefix, status});
}

void TestPlatform::clearFailures()
{
    m_callFailures.clear();
    m_pathFailures.clear();
}

bool TestPlatform::injected(Operation operation, const QString &path, FsStatus &status)
{
    const int call = ++m_calls[operation];
    if (beforeCall) beforeCall(operation, path);
    const auto found = m_callFailures.constFind({operation, call});
    if (found != m_callFailures.constEnd()) {
        status = *found;
        return true;
    }
    for (const PathFailure &failure : m_pathFailures) {
        if (failure.operation == operation && path.startsWith(failure.prefix)) {
            status = failure.status;
            return true;
        }
    }
    return false;
}

FsResult<std::vector<FileEntry>> TestPlatform::listPlainFiles(const QString &folder, bool withTimes)
{
    FsResult<std::vector<FileEntry>> failed;
    listings.push_back({folder, withTimes});
    if (injected(Operation::ListPlainFiles, folder, failed.status)) return failed;
    return PosixPlatform::listPlainFiles(folder, withTimes);
}

FsResult<QStringList> TestPlatform::listSubfolders(const QString &folder)
{
    FsResult<QStringList> failed;
    if (injected(Operation::ListSubfolders, folder, failed.status)) return failed;
    return PosixPlatform::listSubfolders(folder);
}

FsStatus TestPlatform::checkFolder(const QString &folder)
{
    FsStatus status;
    if (injected(Operation::CheckFolder, folder, status)) return status;
    return PosixPlatform::checkFolder(folder);
}

FsStatus TestPlatform::setAttributesNormal(const QString &path)
{
    FsStatus status;
    if (injected(Operation::SetAttributesNormal, path, status)) return status;
    return PosixPlatform::setAttributesNormal(path);
}

FsStatus TestPlatform::deleteFile(const QString &path)
{
    FsStatus status;
    if (injected(Operation::DeleteFile, path, status)) return status;
    return PosixPlatform::deleteFile(path);
}

FsResult<QString> TestPlatform::readTextFile(const QString &path)
{
    FsResult<QString> failed;
    if (injected(Operation::ReadTextFile, path, failed.status)) return failed;
    return PosixPlatform::readTextFile(path);
}

FsStatus TestPlatform::writeTextFile(const QString &path, const QString &text)
{
    FsStatus status;
    if (injected(Operation::WriteTextFile, path, status)) return status;
    return PosixPlatform::writeTextFile(path, text);
}

std::vector<Volume> TestPlatform::volumes()
{
    return fakeVolumes.empty() ? PosixPlatform::volumes() : fakeVolumes;
}

FsResult<Platform::FolderProbe> TestPlatform::probeFolder(const QString &folder, const QString &otherFolder)
{
    FsResult<FolderProbe> failed;
    if (injected(Operation::ProbeFolder, folder, failed.status)) return failed;
    return PosixPlatform::probeFolder(folder, otherFolder);
}

FsResult<Platform::NameState> TestPlatform::nameState(const QString &path)
{
    FsResult<NameState> failed;
    if (injected(Operation::Existence, path, failed.status)) return failed;
    return PosixPlatform::nameState(path);
}

FsResult<Platform::FileVersion> TestPlatform::fileVersion(const QString &path)
{
    FsResult<FileVersion> failed;
    if (injected(Operation::Identity, path, failed.status)) return failed;
    return PosixPlatform::fileVersion(path);
}

FsResult<Platform::FileVersion> TestPlatform::copyFile(const QString &source, const QString &target,
                                                       Landing landing, bool durable)
{
    FsResult<FileVersion> failed;
    if (injected(Operation::CopyFile, target, failed.status)) return failed;
    return PosixPlatform::copyFile(source, target, landing, durable);
}

FsResult<Platform::FileVersion> TestPlatform::linkFile(const QString &source, const QString &target,
                                                       Landing landing)
{
    FsResult<FileVersion> failed;
    if (injected(Operation::Link, target, failed.status)) return failed;
    return PosixPlatform::linkFile(source, target, landing);
}

FsStatus TestPlatform::renameWithoutReplacing(const QString &from, const QString &to)
{
    FsStatus status;
    if (injected(Operation::Rename, to, status)) return status;
    return PosixPlatform::renameWithoutReplacing(from, to);
}

FsStatus TestPlatform::renameReplacing(const QString &from, const QString &to)
{
    FsStatus status;
    if (injected(Operation::Rename, to, status)) return status;
    return PosixPlatform::renameReplacing(from, to);
}

FsResult<QString> TestPlatform::setAside(const QString &path)
{
    FsResult<QString> failed;
    if (injected(Operation::Rename, path, failed.status)) return failed;
    return PosixPlatform::setAside(path);
}

FsStatus TestPlatform::flushVolume(const QString &folder)
{
    FsStatus status;
    if (injected(Operation::FlushVolume, folder, status)) return status;
    return PosixPlatform::flushVolume(folder);
}

CaptureTimeTexts TestPlatform::readCaptureTime(const QString &path)
{
    FsStatus status;
    if (injected(Operation::ReadCaptureTime, path, status)) return {};
    return readCaptureTimeFromFile(path);
}

MessageAnswer TestPlatform::showMessage(const QString &text, MessageButtons buttons, MessageIcon icon,
                                        const QString &title)
{
    messages.push_back({text, buttons, icon, title});
    if (onMessage) onMessage(messages.back());
    if (!answers.empty()) {
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    ++unansweredMessages;
    return buttons == MessageButtons::YesNoCancel ? MessageAnswer::Yes : MessageAnswer::Ok;
}

void TestPlatform::setBusyPointer(bool busy)
{
    busyDepth += busy ? 1 : -1;
    if (busy) ++busyShown;
}

void TestPlatform::letEventsRun()
{
    if (onLetEventsRun) onLetEventsRun();
}

void TestPlatform::setRegistryValue(const QString &keyName, const QString &valueName, const RegistryValue &value)
{
    m_registry.insert({keyName, valueName}, value);
}

PictureFault TestPlatform::readPictureSize(const QString &path, QSize &size)
{
    return readPictureSizeFromFile(path, size);
}

PictureFault TestPlatform::loadPicture(const QString &path, const QSize &shownSize, QImage &picture)
{
    return decodePictureFile(path, shownSize, picture);
}

void TestPlatform::openUrl(const QString &url) { openedUrls.push_back(url); }

bool TestPlatform::startProgram(const QString &program)
{
    if (program.isEmpty()) return false;   // as no system starts a program without a name
    startedPrograms.push_back(program);
    return true;
}

QString TestPlatform::findProgram(const QString &name) { return programsOnPath.value(name); }

FsResult<RegistryValue> TestPlatform::readRegistryValue(RegistryRoot, const QString &keyName,
                                                        const QString &valueName)
{
    const auto found = m_registry.constFind({keyName, valueName});
    if (found == m_registry.constEnd()) return {{}, FsStatus::failure(FsFault::Missing, QString())};
    return {*found, FsStatus::success()};
}

}  // namespace nv
