// SPDX-License-Identifier: GPL-3.0-or-later
// The first half of the copy loop: the plan of a batch, made against the
// folders as they stand and with every question answered before any file is
// touched. The second half, which runs it, is in copybatch.cpp.
#pragma once

#include "journal/batchreport.h"
#include "naming/copybatch.h"
#include "platform/trash.h"

#include <QHash>

#include <optional>

namespace nv {

// The form in which a folder tells names apart.
inline QString nameKey(const BatchFiles::FolderProbe &folder, const QString &name)
{
    return folder.foldsLetterCase ? name.toCaseFolded() : name;
}
// Why a name cannot be one in a folder: too long for it, or, where the folder
// folds letter case as the FAT family does, a name such a card refuses
// (cardnames.h). Empty when it fits.
QString nameProblem(const BatchFiles::FolderProbe &folder, const QString &name);

struct PlannedStep {
    static constexpr int kOutsideFile = -2;   // holder: a file that is not one of the selected sources

    QString oldName;
    QString newName;
    qsizetype row = 0;
    bool active = true;      // false: declined, or its new name is its own file
    bool replaces = false;   // lands over the file that holds the new name, as the user agreed
    int holder = -1;         // while planning: what holds the new name (a step, kOutsideFile or -1)
    // The step whose source holds the new name and must be copied out first;
    // this very step for a name that differs from its own in letter case only.
    int next = -1;
    // Chosen before the run, for its journal: the hidden name its source goes
    // to where a cycle or a name taken by a move needs it, and where the file
    // it replaces goes.
    QString keptPath;
    std::optional<TrashEntry> trash;
};

struct CopyPlan {
    std::vector<PlannedStep> steps;   // one per selected row, in list order
    BatchFiles::FolderProbe destination;
    BatchReport notDone;              // what the plan leaves undone without the user's word

    // The form in which the destination folder tells names apart.
    QString key(const QString &name) const { return nameKey(destination, name); }
};

enum class PlanEnd { Ready, Cancelled, Refused };

// Makes every new name, checks it, and asks the overwrite questions; a refusal
// has been shown when it returns Refused.
PlanEnd PlanCopyBatch(BatchFiles &files, Dialogs &dialogs, const CopyBatchRequest &request, CopyPlan &plan);

}  // namespace nv
