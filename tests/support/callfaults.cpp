#include "callfaults.h"

#include <unistd.h>

namespace nv {

void CallFaults::failCall(Operation operation, int nth, FsStatus status)
{
    m_callFailures.insert({operation, m_calls.value(operation) + nth}, status);
}

void CallFaults::failPath(Operation operation, const QString &prefix, FsStatus status)
{
    m_pathFailures.push_back({operation, prefix, status});
}

void CallFaults::cutAt(Operation operation, int nth, CutPoint point)
{
    m_cuts.insert({operation, m_calls.value(operation) + nth}, point);
}

void CallFaults::clearFailures()
{
    m_callFailures.clear();
    m_pathFailures.clear();
    m_cuts.clear();
}

void CallFaults::endProcessAtOnce(Operation, const QString &) { ::_exit(0); }

int CallFaults::count(Operation operation, const QString &path)
{
    const int number = ++m_calls[operation];
    if (beforeCall) beforeCall(operation, path);
    cutIfDue(operation, number, CutPoint::BeforeCall, path);
    return number;
}

std::optional<FsStatus> CallFaults::fault(Operation operation, int number, const QString &path) const
{
    const auto found = m_callFailures.constFind({operation, number});
    if (found != m_callFailures.constEnd()) return *found;
    for (const PathFailure &failure : m_pathFailures) {
        if (failure.operation == operation && path.startsWith(failure.prefix)) return failure.status;
    }
    return std::nullopt;
}

void CallFaults::cutIfDue(Operation operation, int number, CutPoint point, const QString &path)
{
    const auto found = m_cuts.constFind({operation, number});
    if (found != m_cuts.constEnd() && *found == point) cut(operation, path);
}

}  // namespace nv
