// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/recovery.h"

#include "journal/batchreport.h"
#include "journal/stepstates.h"
#include "journal/undo.h"

#include <QCoreApplication>
#include <QDateTime>

namespace nv {
namespace {

bool isReachable(BatchFiles &files, const QString &folder)
{
    const FsResult<BatchFiles::NameState> state = files.nameState(folder);
    return state.ok() && state.value.kind == BatchFiles::NameKind::Other;
}

QString question(const Journal &journal, int done)
{
    return QCoreApplication::translate("Recovery", "前回の処理が終わらないうちにプログラムが終了しました。\n\n"
                          "処理: %1（%2）\n元のフォルダ: %3\n先のフォルダ: %4\n%5 件のうち %6 件を処理していました。\n\n"
                          "処理したファイルを元に戻しますか？")
        .arg(BatchKindName(journal.kind),
             QDateTime::fromMSecsSinceEpoch(journal.startedMs).toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")),
             shownName(journal.source.path), shownName(journal.destination.path))
        .arg(journal.steps.size())
        .arg(done);
}

// A file still under its hidden name goes back to its old name, else to its
// new one, else to a visible name beside the old one; where none can be had,
// the user learns where it is.
void restoreSetAside(const BatchRoles &roles, const Journal &journal, BatchReport &report)
{
    for (const JournalStep &step : journal.steps) {
        if (step.keptPath.isEmpty() || !roles.files.fileVersion(step.keptPath).ok()) continue;
        if (roles.files.renameWithoutReplacing(step.keptPath, step.from).ok()) continue;
        if (roles.files.renameWithoutReplacing(step.keptPath, step.to).ok()) continue;
        const FsResult<TrashEntry> beside = roles.trash.reserveNameBeside(step.from);
        if (beside.ok() && roles.files.renameWithoutReplacing(step.keptPath, beside.value.filePath()).ok()) {
            report.addFile(step.from, QCoreApplication::translate("Recovery", "「%1」という名前で残しました").arg(shownName(beside.value.name)));
        } else {
            report.addFile(step.from, QCoreApplication::translate("Recovery", "「%1」という名前で残っています").arg(shownName(step.keptPath)));
        }
    }
}

void recover(const BatchRoles &roles, const QString &path, const Journal &journal)
{
    roles.files.removeStaleTemporaries(journal.destination.path);
    if (journal.source.path != journal.destination.path) roles.files.removeStaleTemporaries(journal.source.path);
    const std::vector<StepOutcome> found = ReadStepStates(roles, journal);
    const MessageAnswer answer =
        roles.dialogs.showMessage(question(journal, landedCount(found)), MessageButtons::UndoOrKeep, MessageIcon::Exclamation);
    if (answer == MessageAnswer::Dismissed) return;
    BatchReport report;
    if (answer != MessageAnswer::Yes) restoreSetAside(roles, journal, report);
    const std::vector<StepOutcome> outcomes = answer == MessageAnswer::Yes ? found : ReadStepStates(roles, journal);
    FsResult<std::unique_ptr<OpenJournal>> opened = roles.journals.files().openJournal(path);
    if (!opened.ok()) return;
    roles.journals.finish(*opened.value, outcomes);
    opened.value.reset();
    if (answer == MessageAnswer::Yes) UndoBatch(roles, path, journal, outcomes);
    if (!report.isEmpty()) tell(roles.dialogs, QCoreApplication::translate("Recovery", "次のファイルは元の名前に戻せませんでした。\n\n") + report.text());
}

}  // namespace

void RecoverUnfinishedBatches(const BatchRoles &roles)
{
    QStringList cannotRead;
    const std::vector<BatchJournals::Found> unfinished = roles.journals.unfinished(cannotRead);
    if (!cannotRead.isEmpty()) {
        tell(roles.dialogs, QCoreApplication::translate("Recovery", "次の処理の記録は読めないため、使わずに別の名前で残しました。\n\n")
                                + cannotRead.join(QLatin1Char('\n')));
    }
    for (const BatchJournals::Found &batch : unfinished) {
        if (isReachable(roles.files, batch.journal.source.path) && isReachable(roles.files, batch.journal.destination.path))
            recover(roles, batch.path, batch.journal);
    }
}

}  // namespace nv
