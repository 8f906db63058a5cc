// The one place where a call of the test platform fails on demand. Every role
// wrapper (faultyroles.h) lets its calls through here, so a test can fail the
// nth call of an operation, or every call of it on a path, and can watch each
// call go by, whichever role the operation belongs to.
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
FsResult<T> failedCall(const FsResult<T> &made, const FsStatus &status) { return {made.value, status}; }
inline CaptureTimeTexts failedCall(const CaptureTimeTexts &, const FsStatus &) { return {}; }

class CallFaults {
public:
    enum class Operation {
        ListPlainFiles, ListSubfolders, CheckFolder, CopyFile, SetAttributesNormal,
        DeleteFile, ReadTextFile, WriteTextFile,
        ProbeFolder, FlushVolume, Existence, Identity, Link, Rename, ReadCaptureTime,
    };

    // Instead: the call is not made. AfterRunning: it is made and reported as
    // failed all the same, as a network file system may answer.
    enum class Failing { Instead, AfterRunning };

    // Makes the nth call (1 = the next one) of an operation fail with status.
    void failCall(Operation operation, int nth, FsStatus status = FsStatus::fromErrno(5),
                  Failing failing = Failing::Instead);
    // Makes every call of an operation on a path starting with prefix fail.
    void failPath(Operation operation, const QString &prefix, FsStatus status);
    void clearFailures();
    int callCount(Operation operation) const
    {
        const std::lock_guard lock(m_mutex);
        return m_calls.value(operation);
    }
    // Runs before every counted call, failing or not (another program acting meanwhile).
    std::function<void(Operation, const QString &path)> beforeCall;

    // Counts a call of an operation on path and makes it, unless it is to
    // fail instead. Capture times are read off the window's thread, so the
    // counting is guarded.
    template <typename Call>
    auto run(Operation operation, const QString &path, Call &&call) -> decltype(call())
    {
        const std::optional<Failure> failure = fault(operation, path);
        if (!failure) return call();
        return failedCall(failure->failing == Failing::AfterRunning ? call() : decltype(call()){}, failure->status);
    }

private:
    struct Failure { FsStatus status; Failing failing = Failing::Instead; };
    struct PathFailure { Operation operation; QString prefix; FsStatus status; };
    mutable std::mutex m_mutex;
    QMap<Operation, int> m_calls;
    QMap<std::pair<Operation, int>, Failure> m_callFailures;
    std::vector<PathFailure> m_pathFailures;

    // Counts the call; how it is to fail, if it is.
    std::optional<Failure> fault(Operation operation, const QString &path);
};

}  // namespace nv
