// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/stepstates.h"

namespace nv {
namespace {

std::optional<FileVersion> fileAt(BatchFiles &files, const QString &path)
{
    const FsResult<FileVersion> version = files.fileVersion(path);
    return version.ok() ? std::optional(version.value) : std::nullopt;
}

bool entryHoldsFile(Trash &trash, const std::optional<TrashEntry> &entry)
{
    if (!entry) return false;
    const FsResult<std::optional<FileVersion>> held = trash.trashedFile(*entry);
    return held.ok() && held.value.has_value();
}

}  // namespace

bool IsStepFile(const FileVersion &now, const FileVersion &recorded, bool sameFile, Recognition recognition)
{
    return sameFile ? isSameVersion(now, recorded, true, recognition)
                    : isSameVersion(now, recorded, false, Recognition::ByNameSizeAndTime);
}

// A step moved or renamed its file where the source no longer holds it; a
// path that held another file at plan time counts as landed only where that
// file is not what it holds now, so that an identical file that was there
// before is never taken for the copy.
std::vector<StepOutcome> ReadStepStates(const BatchRoles &roles, const Journal &journal)
{
    const Recognition atSource = roles.journals.recognitionIn(journal.source);
    const Recognition atTarget = roles.journals.recognitionIn(journal.destination);
    std::vector<StepOutcome> outcomes;
    outcomes.reserve(journal.steps.size());
    for (const JournalStep &step : journal.steps) {
        StepOutcome outcome;
        const std::optional<FileVersion> atFrom = fileAt(roles.files, step.from);
        const std::optional<FileVersion> atTo = fileAt(roles.files, step.to);
        // A move may have copied its file; a rename, also into or out of the trash, keeps it.
        const bool sameFile = step.method != StepMethod::Copy && step.method != StepMethod::Move;
        outcome.sourceGone = !atFrom || !IsStepFile(*atFrom, step.source, true, atSource);
        outcome.holderTrashed = step.method != StepMethod::ToTrash && step.method != StepMethod::FromTrash
                                && entryHoldsFile(roles.trash, step.trash);
        const bool holderStays = step.holder && atTo && !outcome.holderTrashed
                                 && IsStepFile(*atTo, *step.holder, true, atTarget);
        outcome.landed = atTo && !holderStays && IsStepFile(*atTo, step.source, sameFile, atTarget);
        outcome.linked = outcome.landed && atFrom && step.method == StepMethod::Move
                         && atFrom->identity == atTo->identity;
        outcomes.push_back(outcome);
    }
    return outcomes;
}

}  // namespace nv
