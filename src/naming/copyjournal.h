// SPDX-License-Identifier: GPL-3.0-or-later
// The journal of a copy batch. Once the plan is final, the names its run may
// need are chosen (a hidden name for each source that a cycle or a move may
// set aside, a trash entry for each file the user agreed to replace) and
// every step is written with them, before any file is touched.
#pragma once

#include "naming/copyplan.h"

#include <memory>

namespace nv {

struct CopyJournal {
    std::unique_ptr<OpenJournal> file;
    std::vector<int> planSteps;   // the plan's step of each journal step: its active steps, in order
};

// Reserves the names and writes the journal; where that cannot be done the
// refusal is shown, nothing reserved is left behind, and there is no journal.
std::optional<CopyJournal> BeginCopyJournal(const BatchRoles &roles, const CopyBatchRequest &request, CopyPlan &plan);

// Gives back the trash entries of the plan that received no file.
void ReleaseTrashEntries(Trash &trash, const CopyPlan &plan);

// The refusal of a batch whose journal could not be written.
void TellJournalUnwritable(Dialogs &dialogs, const BatchJournals &journals, const FsStatus &status);

}  // namespace nv
