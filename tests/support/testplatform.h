// The platform of the tests: the real POSIX file system (over temporary
// folders), a message box that answers from a script and records what it was
// asked, volumes that the test chooses, and operations that fail on demand.
#pragma once

#include "platform/posixplatform.h"

#include <QMap>
#include <deque>
#include <functional>

namespace nv {

struct ShownMessage {
    QString text;
    MessageButtons buttons;
    MessageIcon icon;
    QString title;   // as the caller gave it; empty means the application title
};

class TestPlatform : public PosixPlatform {
public:
    enum class Operation {
        ListPlainFiles, ListSubfolders, CheckFolder, CopyFile, SetAttributesNormal,
        DeleteFile, ReadTextFile, WriteTextFile,
        ProbeFolder, FlushVolume, Existence, Identity, Link, Rename, ReadCaptureTime,
    };

    // Answers for the next message boxes, in order. A box with no answer left
    // answers with its first button and is counted in unansweredMessages.
    std::deque<MessageAnswer> answers;
    std::vector<ShownMessage> messages;
    int unansweredMessages = 0;
    // Runs as each box is shown, before it is answered (a medium inserted meanwhile).
    std::function<void(const ShownMessage &)> onMessage;
    // Every folder whose plain files were listed, in order, and whether times were read.
    std::vector<std::pair<QString, bool>> listings;

    // Makes the nth call (1 = the next one) of an operation fail with status.
    void failCall(Operation operation, int nth, FsStatus status = FsStatus::fromErrno(5));
    // Makes every call of an operation on a path starting with prefix fail.
    void failPath(Operation operation, const QString &prefix, FsStatus status);
    void clearFailures();
    int callCount(Operation operation) const { return m_calls.value(operation); }
    // Runs before every counted call, failing or not (another program acting meanwhile).
    std::function<void(Operation, const QString &path)> beforeCall;

    // The volumes the drive lists offer; the real mounts when left empty.
    std::vector<Volume> fakeVolumes;

    int busyDepth = 0;
    int busyShown = 0;   // how many times the pointer became busy
    std::function<void()> onLetEventsRun;

    FsResult<std::vector<FileEntry>> listPlainFiles(const QString &folder, bool withTimes) override;
    FsResult<QStringList> listSubfolders(const QString &folder) override;
    FsStatus checkFolder(const QString &folder) override;
    FsStatus setAttributesNormal(const QString &path) override;
    FsStatus deleteFile(const QString &path) override;
    FsResult<QString> readTextFile(const QString &path) override;
    FsStatus writeTextFile(const QString &path, const QString &text) override;
    std::vector<Volume> volumes() override;
    FsResult<NameState> nameState(const QString &path) override;
    FsResult<FileVersion> fileVersion(const QString &path) override;
    FsResult<FileVersion> copyFile(const QString &source, const QString &target, Landing landing,
                                   bool durable) override;
    FsResult<FileVersion> linkFile(const QString &source, const QString &target, Landing landing) override;
    FsStatus renameWithoutReplacing(const QString &from, const QString &to) override;
    FsStatus renameReplacing(const QString &from, const QString &to) override;
    FsResult<QString> setAside(const QString &path) override;
    FsResult<FolderProbe> probeFolder(const QString &folder, const QString &otherFolder) override;
    FsStatus flushVolume(const QString &folder) override;
    // Read from the file as on the desktop; an injected failure reads as no EXIF.
    CaptureTimeTexts readCaptureTime(const QString &path) override;

    MessageAnswer showMessage(const QString &text, MessageButtons buttons, MessageIcon icon,
                              const QString &title = QString()) override;
    void setBusyPointer(bool busy) override;
    void letEventsRun() override;

    // Pictures load as on the desktop. Addresses and programs are recorded, not
    // opened; the registry and the search path hold what the test puts there.
    std::vector<QString> openedUrls;
    std::vector<QString> startedPrograms;
    QMap<QString, QString> programsOnPath;   // name -> full path
    void setRegistryValue(const QString &keyName, const QString &valueName, const RegistryValue &value);

    PictureFault readPictureSize(const QString &path, QSize &size) override;
    PictureFault loadPicture(const QString &path, const QSize &shownSize, QImage &picture) override;
    void openUrl(const QString &url) override;
    bool startProgram(const QString &program) override;
    QString findProgram(const QString &name) override;
    FsResult<RegistryValue> readRegistryValue(RegistryRoot root, const QString &keyName,
                                              const QString &valueName) override;

protected:
    // Counts the call and tells whether it must fail, and how.
    bool injected(Operation operation, const QString &path, FsStatus &status);

private:
    struct PathFailure { Operation operation; QString prefix; FsStatus status; };
    QMap<Operation, int> m_calls;
    QMap<std::pair<Operation, int>, FsStatus> m_callFailures;
    std::vector<PathFailure> m_pathFailures;
    QMap<std::pair<QString, QString>, RegistryValue> m_registry;   // (key, value name) -> value
};

}  // namespace nv
