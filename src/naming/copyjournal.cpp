// SPDX-License-Identifier: GPL-3.0-or-later
#include "naming/copyjournal.h"

#include <QCoreApplication>
#include <QDateTime>

namespace nv {
namespace {

FsResult<TrashEntry> reserveReplacedPlace(Trash &trash, const QString &path)
{
    const FsResult<TrashEntry> inTrash = trash.reserveTrashEntry(path);
    return inTrash.ok() ? inTrash : trash.reserveNameBeside(path);
}

// The hidden names and the trash entries; the refusal where a replaced file
// has nowhere to go.
QString reserveNames(const BatchRoles &roles, const CopyBatchRequest &request, CopyPlan &plan)
{
    for (PlannedStep &step : plan.steps) {
        if (!step.active) continue;
        if (step.next >= 0) {
            PlannedStep &held = plan.steps[size_t(step.next)];
            held.keptPath = roles.files.keptNameFor(request.sourceFolder + held.oldName);
        }
        if (!step.replaces) continue;
        const QString target = request.destinationFolder + step.newName;
        const FsResult<TrashEntry> place = reserveReplacedPlace(roles.trash, target);
        if (!place.ok()) {
            return QCoreApplication::translate("CopyJournal", "置き換える「%1」をごみ箱にも別の名前にも移せません。\n%2\n"
                                  "ファイルは一つも変えていません。")
                .arg(shownName(target), place.status.reason);
        }
        step.trash = place.value;
    }
    return QString();
}

Journal journalOf(const BatchRoles &roles, const CopyBatchRequest &request, const CopyPlan &plan,
                  std::vector<int> &planSteps)
{
    Journal journal;
    journal.kind = request.kind;
    journal.startedMs = QDateTime::currentMSecsSinceEpoch();
    journal.source = roles.journals.describeFolder(request.sourceFolder);
    journal.destination = roles.journals.describeFolder(request.destinationFolder);
    QStringList sources;
    for (const PlannedStep &planned : plan.steps)
        if (planned.active) sources.append(planned.oldName);
    const std::vector<FsResult<FileVersion>> versions = roles.files.fileVersions(request.sourceFolder, sources);
    auto version = versions.cbegin();
    journal.steps.reserve(versions.size());
    planSteps.reserve(versions.size());
    for (int i = 0; i < int(plan.steps.size()); ++i) {
        const PlannedStep &planned = plan.steps[size_t(i)];
        if (!planned.active) continue;
        JournalStep step;
        step.from = request.sourceFolder + planned.oldName;
        step.to = request.destinationFolder + planned.newName;
        step.method = request.move ? StepMethod::Move : StepMethod::Copy;
        step.source = (version++)->value;
        if (planned.holder != -1 && planned.holder != i) step.holder = roles.files.fileVersion(step.to).value;
        step.keptPath = planned.keptPath;
        step.trash = planned.trash;
        journal.steps.push_back(step);
        planSteps.push_back(i);
    }
    return journal;
}

}  // namespace

std::optional<CopyJournal> BeginCopyJournal(const BatchRoles &roles, const CopyBatchRequest &request, CopyPlan &plan)
{
    CopyJournal journal;
    QString refusal;
    FsStatus written;
    {
        const BusyPointer busy(roles.dialogs);
        refusal = reserveNames(roles, request, plan);
        if (refusal.isEmpty()) {
            FsResult<std::unique_ptr<OpenJournal>> begun =
                roles.journals.begin(journalOf(roles, request, plan, journal.planSteps));
            journal.file = std::move(begun.value);
            written = begun.status;
        }
    }
    if (journal.file) return journal;
    ReleaseTrashEntries(roles.trash, plan);
    if (!refusal.isEmpty()) tell(roles.dialogs, refusal);
    else TellJournalUnwritable(roles.dialogs, roles.journals, written);
    return std::nullopt;
}

void ReleaseTrashEntries(Trash &trash, const CopyPlan &plan)
{
    for (const PlannedStep &step : plan.steps)
        if (step.trash) trash.releaseTrashEntry(*step.trash);   // Exists where a file went there: it stays
}

void TellJournalUnwritable(Dialogs &dialogs, const BatchJournals &journals, const FsStatus &status)
{
    tell(dialogs, QCoreApplication::translate("CopyJournal", "処理の記録を「%1」に書けないため、処理を始めませんでした。\n%2\n"
                                 "ファイルは一つも変えていません。")
                      .arg(shownName(journals.folder()), status.reason));
}

}  // namespace nv
