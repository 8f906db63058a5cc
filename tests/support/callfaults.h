// The one place where a call of the test platform fails on demand. Every role
// wrapper (faultyroles.h) lets its calls through here, so a test can fail the
// nth call of an operation, or every call of it on a path, and can watch each
// call go by, whichever role the operation belongs to.
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
    };

    // Makes the nth call (1 = the next one) of an operation fail with status.
    void failCall(Operation operation, int nth, FsStatus status = FsStatus::fromErrno(5));
    // Makes every call of an operation on a path starting with prefix fail.
    void failPath(Operation operation, const QString &prefix, FsStatus status);
    void clearFailures();
    int callCount(Operation operation) const { return m_calls.value(operation); }
    // Runs before every counted call, failing or not (another program acting meanwhile).
    std::function<void(Operation, const QString &path)> beforeCall;

    // Counts a call of an operation on path and makes it, unless it is to fail.
    template <typename Call>
    auto run(Operation operation, const QString &path, Call &&call) -> decltype(call())
    {
        if (const std::optional<FsStatus> status = fault(operation, path))
            return failedCall(std::type_identity<decltype(call())>(), *status);
        return call();
    }

private:
    struct PathFailure { Operation operation; QString prefix; FsStatus status; };
    QMap<Operation, int> m_calls;
    QMap<std::pair<Operation, int>, FsStatus> m_callFailures;
    std::vector<PathFailure> m_pathFailures;

    // Counts the call; how it is to fail, if it is.
    std::optional<FsStatus> fault(Operation operation, const QString &path);
};

}  // namespace nv
