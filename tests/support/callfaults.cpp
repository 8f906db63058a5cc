#include "callfaults.h"

namespace nv {

void CallFaults::failCall(Operation operation, int nth, FsStatus status)
{
    m_callFailures.insert({operation, m_calls.value(operation) + nth}, status);
}

void CallFaults::failPath(Operation operation, const QString &prefix, FsStatus status)
{
    m_pathFailures.push_back({operation, prefix, status});
}

void CallFaults::clearFailures()
{
    m_callFailures.clear();
    m_pathFailures.clear();
}

std::optional<FsStatus> CallFaults::fault(Operation operation, const QString &path)
{
    const int call = ++m_calls[operation];
    if (beforeCall) beforeCall(operation, path);
    const auto found = m_callFailures.constFind({operation, call});
    if (found != m_callFailures.constEnd()) return *found;
    for (const PathFailure &failure : m_pathFailures) {
        if (failure.operation == operation && path.startsWith(failure.prefix)) return failure.status;
    }
    return std::nullopt;
}

}  // namespace nv
