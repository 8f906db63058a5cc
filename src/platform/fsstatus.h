// SPDX-License-Identifier: GPL-3.0-or-later
// What every role of the platform answers with: success, or why an operation
// failed as far as its callers need to tell failures apart, with the system's
// own words for the messages.
#pragma once

#include <QString>

namespace nv {

enum class FsFault {
    None,
    NotReady,   // the volume has no medium or does not answer (ENOMEDIUM, EIO, ...)
    Missing,    // the file or folder is not there (ENOENT, ENOTDIR)
    Exists,     // the new name is already taken (EEXIST)
    Changed,    // a file changed while it was being read
    NotPlainFile,   // a folder, a device, a pipe or a socket where a plain file was expected
    CannotLink,     // this file system, or this pair of folders, gives a file no second name
    Stopped,        // the user stopped the batch while the call ran
    Other,
};

struct FsStatus {
    FsFault fault = FsFault::None;
    QString reason;   // the system's own words, for messages that name the cause

    bool ok() const { return fault == FsFault::None; }
    static FsStatus success() { return {}; }
    static FsStatus failure(FsFault fault, const QString &reason) { return {fault, reason}; }
    static FsStatus fromErrno(int error);
};

template <typename T>
struct FsResult {
    T value{};
    FsStatus status;
    bool ok() const { return status.ok(); }
};

}  // namespace nv
