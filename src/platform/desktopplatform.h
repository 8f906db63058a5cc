// The platform as the running program uses it: the POSIX file system and real
// Qt message boxes, pointer and event loop.
#pragma once

#include "platform/posixplatform.h"

namespace nv {

class DesktopPlatform : public PosixPlatform {
public:
    MessageAnswer showMessage(const QString &text, MessageButtons buttons, MessageIcon icon,
                              const QString &title = QString()) override;
    void setBusyPointer(bool busy) override;
    void letEventsRun() override;

    CaptureTimeTexts readCaptureTime(const QString &path) override;
    PictureFault readPictureSize(const QString &path, QSize &size) override;
    PictureFault loadPicture(const QString &path, const QSize &shownSize, QImage &picture) override;
    void openUrl(const QString &url) override;
    bool startProgram(const QString &program) override;
    QString findProgram(const QString &name) override;
    FsResult<RegistryValue> readRegistryValue(RegistryRoot root, const QString &keyName,
                                              const QString &valueName) override;
};

}  // namespace nv
