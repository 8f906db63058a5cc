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
};

}  // namespace nv
