// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop around the program, as the about box reaches it: opening an
// address, starting and finding programs, and the system registry, which on
// systems without one finds nothing.
#pragma once

#include "platform/fsstatus.h"

#include <QByteArray>

namespace nv {

enum class RegistryRoot { LocalMachine };
enum class RegistryValueType { String, Other };
struct RegistryValue {
    RegistryValueType type = RegistryValueType::String;
    QByteArray bytes;   // as stored; a string usually ends in one zero byte
};

class Desktop {
public:
    virtual ~Desktop() = default;

    // Opens an address with the user's chosen program; a failure is not reported.
    virtual void openUrl(const QString &url) = 0;
    // Starts a program as a new process without waiting for it; false when it
    // could not be started.
    virtual bool startProgram(const QString &program) = 0;
    // The full path of a program found on the search path, or empty.
    virtual QString findProgram(const QString &name) = 0;
    // One value of the system registry; Missing when the key or the value is not
    // there (always, on systems without a registry).
    virtual FsResult<RegistryValue> readRegistryValue(RegistryRoot root, const QString &keyName,
                                                      const QString &valueName) = 0;
};

}  // namespace nv
