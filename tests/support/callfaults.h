// SPDX-License-Identifier: GPL-3.0-or-later
// The one place where a call of the test platform fails on demand. Every role
// wrapper (faultyroles.h) lets its calls through here, so a test can fail the
// nth call of an operation, or every call of it on a path, cut the run short
// there as a crash would, and watch each call go by, whichever role the
// operation belongs to.
#pragma once

#include "platform/fsstatus.h"
#include "platform/media.h"

#include <QMap>

#include <functional>
#include <mutex>
#include <optional>
#include <vector>

namespace nv {

// What a call that is made to fail gives back, from what it gave when it was
// made (or a default result when it was not): the status, with any value, or
// for a reading that reports no failure, what a file without the data gives.
inline FsStatus failedCall(const FsStatus &, const FsStatus &status) { return status; }
template <typename T>
FsResult<T> failedCall(FsResult<T> made, const FsStatus &status)
{
    made.status = status;
    return made;
}
inline CaptureTimeTexts failedCall(const CaptureTimeTexts &, const FsStatus &) { return {}; }

class CallFaults {
public:
    enum class Operation {
        ListPlainFiles, ListSubfolders, CheckFolder, CopyFile, SetAttributesNormal,
        DeleteFile, ReadTextFile, WriteTextFile,
        ProbeFolder, FlushCopies, Existence, Identity, Link, Rename, ReadCaptureTime,
        VolumeFacts, ReserveTrashEntry, ReserveNameBeside, MoveToTrash, ReleaseTrashEntry, RestoreFromTrash,
        TrashedFile, CreateJournal, OpenJournal, AppendJournal, ListJournals, ReadJournal, JournalLocked,
        RemoveJournal, SetJournalAside, CopyChunk,
    };
    // Where a cut falls: before the call is made, or once it has returned.
    enum class CutPoint { BeforeCall, AfterCall };

    // Instead: the call is not made. AfterRunning: it is made and reported as
    // failed all the same, as a network file system may answer.
    enum class Failing { Instead, AfterRunning };

    // Makes the nth call (1 = the next one) of an operation fail with status.
    void failCall(Operation operation, int nth, FsStatus status = FsStatus::fromErrno(5),
                  Failing failing = Failing::Instead);
    // Makes every call of an operation on a path starting with prefix fail.
    void failPath(Operation operation, const QString &prefix, FsStatus status);
    // Cuts the run at the nth call (1 = the next one) of an operation, before
    // it is made or once it has returned, by calling cut.
    void cutAt(Operation operation, int nth, CutPoint point = CutPoint::BeforeCall);
    // Clears the failures and the cuts.
    void clearFailures();
    int callCount(Operation operation) const
    {
        const std::lock_guard lock(m_mutex);
        return m_calls.value(operation);
    }
    // Runs before every counted call, failing or not (another program acting meanwhile).
    std::function<void(Operation, const QString &path)> beforeCall;
    // What a cut does: ends the process at once, as a crash or a power failure
    // would (the child of a fork() that runs a batch, whose parent then finds
    // the files as it left them), unless the test sets another.
    std::function<void(Operation, const QString &path)> cut = endProcessAtOnce;

    // Counts a call of an operation on path and makes it, unless it is to
    // fail instead. Capture times are read off the window's thread, so the
    // counting is guarded.
    template <typename Call>
    auto run(Operation operation, const QString &path, Call &&call) -> decltype(call())
    {
        const int number = count(operation, path);
        const std::optional<Failure> failure = fault(operation, number, path);
        using Result = decltype(call());
        Result result = !failure ? call()
                                 : failedCall(failure->failing == Failing::AfterRunning ? call() : Result{},
                                              failure->status);
        cutIfDue(operation, number, CutPoint::AfterCall, path);
        return result;
    }

private:
    struct Failure { FsStatus status; Failing failing = Failing::Instead; };
    struct PathFailure { Operation operation; QString prefix; FsStatus status; };
    mutable std::mutex m_mutex;
    QMap<Operation, int> m_calls;
    QMap<std::pair<Operation, int>, Failure> m_callFailures;
    std::vector<PathFailure> m_pathFailures;
    QMap<std::pair<Operation, int>, CutPoint> m_cuts;

    static void endProcessAtOnce(Operation, const QString &);
    // Counts the call, runs beforeCall and a cut due before it; the call's number.
    int count(Operation operation, const QString &path);
    // How the call is to fail, if it is.
    std::optional<Failure> fault(Operation operation, int number, const QString &path) const;
    void cutIfDue(Operation operation, int number, CutPoint point, const QString &path);
};

}  // namespace nv
