// SPDX-License-Identifier: GPL-3.0-or-later
// Taking a batch back. The undo plans its own steps over the steps of the
// batch's journal (never through the forward planner, and never growing to
// files the journal does not name): copies the batch made go to the trash,
// renamed and moved files go back to their old names without replacing
// (cycles broken through a hidden name chosen in advance), then replaced
// files come back from the trash and files set aside get their names back.
// A file is only acted on while it is still what the batch left; one changed
// since, gone, or whose old name another file holds now is left as it is and
// named in one message at the end. The undo is journaled like a batch, so a
// crash in the middle of it is recovered too, but it is never undone itself.
#pragma once

#include "journal/batchroles.h"

namespace nv {

enum class UndoEnd {
    Finished,   // every step taken back or named in the end message
    Stopped,    // the user stopped it between two files
    Refused,    // its journal could not be written: nothing was touched
};

// Takes back what outcomes say of the journal's steps; where the undo runs to
// its end, the journal at journalPath is marked as taken back.
UndoEnd UndoBatch(const BatchRoles &roles, const QString &journalPath, const Journal &journal,
                  const std::vector<StepOutcome> &outcomes);

// How the undo menu and the questions name a batch: 「リネーム 12 件」.
QString BatchKindName(BatchKind kind);

}  // namespace nv
