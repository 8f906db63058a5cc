// SPDX-License-Identifier: GPL-3.0-or-later
// After a crash: each journal without its end record that no running copy of
// the program holds is offered, oldest first, before the window shows. In
// both choices the temporaries of the killed copy are removed and files set
// aside get visible names again; 元に戻す takes back what was done, このまま
// にする keeps it (the batch stays undoable). A journal whose folders cannot
// be reached now (a card not inserted), or whose question was dismissed, is
// offered again at the next start.
#pragma once

#include "journal/batchroles.h"

namespace nv {

void RecoverUnfinishedBatches(const BatchRoles &roles);

}  // namespace nv
