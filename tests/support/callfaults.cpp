#include "callfaults.h"

namespace nv {

void CallFaults::failCall(Operation operation, int nth, FsStatus status, Failing failing)
{
    const std::lock_guard lock(m_mutex);
    m_callFailures.insert({operation, m_calls.value(operation) + nth}, {status, failing});
}

void CallFaults::failPath(Operation operation, const QString &prefix, FsStatus status)
{
    const std::lock_guard lock(m_mutex);
    m_pathFailures.push_back({operation, prefix, status});
}

void CallFaults::clearFailures()
{
    const std::lock_guard lock(m_mutex);
    m_callFailures.clear();
    m_pathFailures.clear();
}

std::optional<CallFaults::Failure> CallFaults::fault(Operation operation, const QString &path)
{
    int call;
    {
        const std::lock_guard lock(m_mutex);
        call = ++m_calls[operation];
    }
    if (beforeCall) beforeCall(operation, path);
    const std::lock_guard lock(m_mutex);
    const auto found = m_callFailures.constFind({operation, call});
    if (found != m_callFailures.constEnd()) return *found;
    for (const PathFailure &failure : m_pathFailures) {
        if (failure.operation == operation && path.startsWith(failure.prefix)) return Failure{failure.status};
    }
    return std::nullopt;
}

}  // namespace nv
