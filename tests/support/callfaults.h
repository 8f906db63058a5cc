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
#include <optional>
#include <type_traits>
#include <vector>

namespace nv {

// What a call that is made to fail gives back: its status, or for a reading
// that reports no failure, what a file without the data gives.
inline FsStatus failedCall(std::type_identity<FsStatus>, const FsStatus &status) { return status; }
template <typename T>
FsResult<T> failedCall(std::type_identity<FsResult<T>>, const FsStatus &status) { return {T{}, status}; }
inline CaptureTimeTexts failedCall(std::type_identity<CaptureTimeTexts>, const FsStatus &) { return {}; }

class CallFaults {
public:
    enum class Operation {
        ListPlainFiles, ListSubfolders, CheckFolder, CopyFile, SetAttributesNormal,
        DeleteFile, ReadTextFile, WriteTextFile,
        ProbeFolder, FlushVolume, Existence, Identity, Link, Rename, ReadCaptureTime,
        VolumeFacts, ReserveTrashEntry, ReserveNameBeside, MoveToTrash, ReleaseTrashEntry, RestoreFromTrash,
        TrashedFile, CreateJournal, OpenJournal, AppendJournal, ListJournals, ReadJournal, JournalLocked,
        RemoveJournal, SetJournalAside,
    };
    // Where a cut falls: before the call is made, or once it has returned.
    enum class CutPoint { BeforeCall, AfterCall };

    // Makes the nth call (1 = the next one) of an operation fail with status.
    void failCall(Operation operation, int nth, FsStatus status = FsStatus::fromErrno(5));
    // Makes every call of an operation on a path starting with prefix fail.
    void failPath(Operation operation, const QString &prefix, FsStatus status);
    // Cuts the run at the nth call (1 = the next one) of an operation, before
    // it is made or once it has returned, by calling cut.
    void cutAt(Operation operation, int nth, CutPoint point = CutPoint::BeforeCall);
    // Clears the failures and the cuts.
    void clearFailures();
    int callCount(Operation operation) const { return m_calls.value(operation); }
    // Runs before every counted call, failing or not (another program acting meanwhile).
    std::function<void(Operation, const QString &path)> beforeCall;
    // What a cut does: ends the process at once, as a crash or a power failure
    // would (the child of a fork() that runs a batch, whose parent then finds
    // the files as it left them), unless the test sets another.
    std::function<void(Operation, const QString &path)> cut = endProcessAtOnce;

    // Counts a call of an operation on path and makes it, unless it is to fail.
    template <typename Call>
    auto run(Operation operation, const QString &path, Call &&call) -> decltype(call())
    {
        const int number = count(operation, path);
        const std::optional<FsStatus> status = fault(operation, number, path);
        auto result = status ? failedCall(std::type_identity<decltype(call())>(), *status) : call();
        cutIfDue(operation, number, CutPoint::AfterCall, path);
        return result;
    }

private:
    struct PathFailure { Operation operation; QString prefix; FsStatus status; };
    QMap<Operation, int> m_calls;
    QMap<std::pair<Operation, int>, FsStatus> m_callFailures;
    std::vector<PathFailure> m_pathFailures;
    QMap<std::pair<Operation, int>, CutPoint> m_cuts;

    static void endProcessAtOnce(Operation, const QString &);
    // Counts the call, runs beforeCall and a cut due before it; the call's number.
    int count(Operation operation, const QString &path);
    // How the call is to fail, if it is.
    std::optional<FsStatus> fault(Operation operation, int number, const QString &path) const;
    void cutIfDue(Operation operation, int number, CutPoint point, const QString &path);
};

}  // namespace nv
