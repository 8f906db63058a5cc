// SPDX-License-Identifier: GPL-3.0-or-later
// The platform as the running program uses it on a Linux desktop: the POSIX
// roles (posixplatform.h) with real Qt message boxes, pointer and event loop,
// photos read with Qt's image plugins, libheif and libexiv2, and the desktop's
// own services. One object provides every role; main.cpp builds it once.
#pragma once

#include "platform/desktop.h"
#include "platform/dialogs.h"
#include "platform/media.h"
#include "platform/posixjournalfiles.h"
#include "platform/posixplatform.h"
#include "platform/posixtrash.h"

namespace nv {

class DesktopDialogs : public Dialogs {
public:
    MessageAnswer showMessage(const QString &text, MessageButtons buttons, MessageIcon icon,
                              const QString &title = QString()) override;
    void setBusyPointer(bool busy) override;
    void letEventsRun() override;
};

// Pictures: picturefile.cpp; capture times: exifcapturetime.cpp.
class FileMedia : public Media {
public:
    // Made on the window's thread, before any reading.
    FileMedia();
    PictureFault readPictureSize(const QString &path, QSize &size) override;
    PictureFault loadPicture(const QString &path, const QSize &shownSize, QImage &picture) override;
    CaptureTimeTexts readCaptureTime(const QString &path) override;
};

class DesktopServices : public Desktop {
public:
    void openUrl(const QString &url) override;
    bool startProgram(const QString &program) override;
    QString findProgram(const QString &name) override;
    FsResult<RegistryValue> readRegistryValue(RegistryRoot root, const QString &keyName,
                                              const QString &valueName) override;
};

class DesktopPlatform : public PosixFolders, public PosixTextFiles, public PosixVolumes, public PosixBatchFiles,
                        public DesktopDialogs, public FileMedia, public DesktopServices, public PosixTrash,
                        public PosixJournalFiles {};

}  // namespace nv
