// SPDX-License-Identifier: GPL-3.0-or-later
#include "panes/continuationscan.h"

#include "naming/continuefromfile.h"

#include <algorithm>

namespace nv {

void SeriesScan::add(QStringView name)
{
    const NumberedName parts = SplitNumberedName(name);
    if (parts.digits.isEmpty()) return;
    const std::optional<qint32> value = ContinuableValue(parts.digits);
    if (!value) return;
    if (!m_found) {
        m_found = true;
        m_headName = parts.headName.toString();
        m_extension = parts.extension.toString();
    } else if (parts.headName != m_headName || parts.extension != m_extension) {
        return;
    }
    m_highest = std::max(m_highest, *value);
    m_longestDigits = std::max(m_longestDigits, parts.digits.size());
}

SeriesContinuation SeriesScan::result() const
{
    SeriesContinuation continuation;
    continuation.headName = m_headName;
    continuation.extension = m_extension;
    const QString next = QString::number(m_highest + 1);
    if (m_highest > 0) continuation.numberText = next;
    const qsizetype digits = next.size() <= m_longestDigits ? m_longestDigits : m_longestDigits + 1;
    continuation.digitCount = int(std::min<qsizetype>(digits, kMostDigits));
    return continuation;
}

SeriesContinuation ScanSeries(const QStringList &names)
{
    SeriesScan scan;
    for (const QString &name : names) scan.add(name);
    return scan.result();
}

}  // namespace nv
