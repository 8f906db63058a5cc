// SPDX-License-Identifier: GPL-3.0-or-later
// The last ten head names, offered by the drop-down of the head-name box.
// Slot 0 is the oldest, slot 9 the newest; empty slots are allowed anywhere.
#pragma once

#include "app/settingsfile.h"

#include <QStringList>

namespace nv {

// Shifts every slot one place towards the oldest (slot 0 is lost) and puts
// text into slot 9. Empty texts and repeats are pushed as well: the rename
// records exactly what it was started with.
void PushHeadName(HeadNameSlots &history, const QString &text);

// A text handed over by another program joins the history unless it is empty.
// Returns whether it was pushed.
bool PushReceivedText(HeadNameSlots &history, const QString &text);

// The entries of the drop-down: the non-empty slots, oldest first.
QStringList HeadNameListEntries(const HeadNameSlots &history);

}  // namespace nv
