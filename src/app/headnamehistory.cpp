// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/headnamehistory.h"

#include <algorithm>

namespace nv {

void PushHeadName(HeadNameSlots &history, const QString &text)
{
    std::shift_left(history.begin(), history.end(), 1);
    history.back() = text;
}

bool PushReceivedText(HeadNameSlots &history, const QString &text)
{
    if (text.isEmpty()) return false;
    PushHeadName(history, text);
    return true;
}

QStringList HeadNameListEntries(const HeadNameSlots &history)
{
    QStringList entries;
    for (const QString &slot : history) {
        if (!slot.isEmpty()) entries.append(slot);
    }
    return entries;
}

}  // namespace nv
