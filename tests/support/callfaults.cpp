// SPDX-License-Identifier: GPL-3.0-or-later
#include "callfaults.h"

#include <unistd.h>

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

void CallFaults::cutAt(Operation operation, int nth, CutPoint point)
{
    const std::lock_guard lock(m_mutex);
    m_cuts.insert({operation, m_calls.value(operation) + nth}, point);
}

void CallFaults::clearFailures()
{
    const std::lock_guard lock(m_mutex);
    m_callFailures.clear();
    m_pathFailures.clear();
    m_cuts.clear();
}

void CallFaults::endProcessAtOnce(Operation, const QString &) { ::_exit(0); }

int CallFaults::count(Operation operation, const QString &path)
{
    int number;
    {
        const std::lock_guard lock(m_mutex);
        number = ++m_calls[operation];
    }
    if (beforeCall) beforeCall(operation, path);
    cutIfDue(operation, number, CutPoint::BeforeCall, path);
    return number;
}

std::optional<CallFaults::Failure> CallFaults::fault(Operation operation, int number, const QString &path) const
{
    const std::lock_guard lock(m_mutex);
    const auto found = m_callFailures.constFind({operation, number});
    if (found != m_callFailures.constEnd()) return *found;
    for (const PathFailure &failure : m_pathFailures) {
        if (failure.operation == operation && path.startsWith(failure.prefix)) return Failure{failure.status};
    }
    return std::nullopt;
}

void CallFaults::cutIfDue(Operation operation, int number, CutPoint point, const QString &path)
{
    const auto found = m_cuts.constFind({operation, number});
    if (found != m_cuts.constEnd() && *found == point) cut(operation, path);
}

}  // namespace nv
