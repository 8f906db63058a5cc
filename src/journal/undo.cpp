// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/undo.h"

#include "journal/batchreport.h"
#include "journal/stepstates.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QHash>

namespace nv {
namespace {

// The actions of an undo, in the order they run: copies out of the way first,
// then files back to their names, then replaced files back from the trash.
class UndoPlanner {
public:
    UndoPlanner(const BatchRoles &roles, const Journal &journal) : m_roles(roles), m_journal(journal) {}

    std::vector<JournalStep> plan(const std::vector<StepOutcome> &outcomes, BatchReport &notDone);

private:
    void planStep(const JournalStep &step, const StepOutcome &outcome, BatchReport &notDone);
    void back(const QString &at, const QString &to, const FileVersion &now);
    void toTrash(const QString &at, const FileVersion &now, BatchReport &notDone);
    void fromTrash(const TrashEntry &entry, const QString &to, BatchReport &notDone);
    std::optional<FileVersion> leftFile(const QString &path, const FileVersion &recorded, bool sameFile,
                                        BatchReport &notDone);

    const BatchRoles &m_roles;
    const Journal &m_journal;
    Recognition m_atTarget = Recognition::ByIdentity;
    std::vector<JournalStep> m_toTrash, m_back, m_fromTrash;
};

std::vector<JournalStep> UndoPlanner::plan(const std::vector<StepOutcome> &outcomes, BatchReport &notDone)
{
    m_atTarget = m_roles.journals.recognitionIn(m_journal.destination);
    for (size_t i = 0; i < m_journal.steps.size(); ++i) planStep(m_journal.steps[i], outcomes[i], notDone);
    std::vector<JournalStep> steps = std::move(m_toTrash);
    steps.insert(steps.end(), m_back.begin(), m_back.end());
    steps.insert(steps.end(), m_fromTrash.begin(), m_fromTrash.end());
    return steps;
}

void UndoPlanner::planStep(const JournalStep &step, const StepOutcome &outcome, BatchReport &notDone)
{
    const bool intoTrash = step.method == StepMethod::ToTrash;
    if (outcome.landed && step.method == StepMethod::FromTrash) {
        if (const auto now = leftFile(step.to, step.source, true, notDone)) toTrash(step.to, *now, notDone);
    } else if (outcome.landed && intoTrash) {
        fromTrash(*step.trash, step.from, notDone);
    } else if (outcome.landed) {
        const bool sameFile = outcome.linked || step.method == StepMethod::Rename;
        const std::optional<FileVersion> now = leftFile(step.to, step.source, sameFile, notDone);
        // A copy is the batch's own only where the name was free or its holder
        // went to the trash; a second name of a source still there is its own too.
        if (now && outcome.sourceGone) back(step.to, step.from, *now);
        else if (now && (!step.holder || outcome.holderTrashed || outcome.linked)) toTrash(step.to, *now, notDone);
        else if (now) notDone.addFile(step.to, QCoreApplication::translate("Undo", "処理の前からあったファイルと区別できないため、そのままにしています"));
    }
    if (outcome.holderTrashed && !intoTrash && step.method != StepMethod::FromTrash) fromTrash(*step.trash, step.to, notDone);
    // Set aside by a run that was cut short.
    const FsResult<FileVersion> kept = step.keptPath.isEmpty() ? FsResult<FileVersion>{{}, {FsFault::Missing, {}}}
                                                               : m_roles.files.fileVersion(step.keptPath);
    if (kept.ok()) back(step.keptPath, step.from, kept.value);
}

std::optional<FileVersion> UndoPlanner::leftFile(const QString &path, const FileVersion &recorded, bool sameFile,
                                                 BatchReport &notDone)
{
    const FsResult<FileVersion> now = m_roles.files.fileVersion(path);
    if (!now.ok()) {
        notDone.addFile(path, QCoreApplication::translate("Undo", "見つからないため、元に戻していません"));
        return std::nullopt;
    }
    if (!IsStepFile(now.value, recorded, sameFile, m_atTarget)) {
        notDone.addFile(path, QCoreApplication::translate("Undo", "処理の後で変わったため、元に戻していません"));
        return std::nullopt;
    }
    return now.value;
}

void UndoPlanner::back(const QString &at, const QString &to, const FileVersion &now)
{
    JournalStep step;
    step.from = at;
    step.to = to;
    // Across volumes a file goes back as a copy whose original is then deleted.
    const bool sameVolume = m_journal.source.mountRoot == m_journal.destination.mountRoot;
    step.method = sameVolume ? StepMethod::Rename : StepMethod::Move;
    step.source = now;
    step.keptPath = m_roles.files.keptNameFor(at);
    m_back.push_back(step);
}

void UndoPlanner::toTrash(const QString &at, const FileVersion &now, BatchReport &notDone)
{
    const FsResult<TrashEntry> entry = m_roles.trash.reserveTrashEntry(at);
    if (!entry.ok()) {
        notDone.addFile(at, QCoreApplication::translate("Undo", "ごみ箱に移せないため、そのままにしています（%1）").arg(entry.status.reason));
        return;
    }
    JournalStep step;
    step.from = at;
    step.to = entry.value.filePath();
    step.method = StepMethod::ToTrash;
    step.source = now;
    step.trash = entry.value;
    m_toTrash.push_back(step);
}

void UndoPlanner::fromTrash(const TrashEntry &entry, const QString &to, BatchReport &notDone)
{
    const FsResult<std::optional<FileVersion>> held = m_roles.trash.trashedFile(entry);
    if (!held.ok() || !held.value) {
        notDone.addFile(to, QCoreApplication::translate("Undo", "置き換えたファイルがごみ箱（「%1」）にないため、戻していません").arg(shownName(entry.filePath())));
        return;
    }
    JournalStep step;
    step.from = entry.filePath();
    step.to = to;
    step.method = StepMethod::FromTrash;
    step.source = *held.value;
    step.trash = entry;
    m_fromTrash.push_back(step);
}

// Runs the planned actions; a file whose name is taken waits for the action
// that empties that name, and a cycle of such waits is broken by setting one
// file aside under its kept name.
class UndoRun {
public:
    UndoRun(const BatchRoles &roles, const std::vector<JournalStep> &steps, bool foldsLetterCase, BatchReport &notDone);
    bool run();   // false: stopped
    const std::vector<StepOutcome> &outcomes() const { return m_outcomes; }

private:
    enum class Visit { Pending, Visiting, Done };
    bool runFrom(int index);
    void runStep(int index, const QString &at);
    FsStatus moveBack(const QString &at, const JournalStep &step);
    QString key(const QString &path) const { return m_foldsLetterCase ? path.toCaseFolded() : path; }

    const BatchRoles &m_roles;
    const std::vector<JournalStep> &m_steps;
    bool m_foldsLetterCase;
    BatchReport &m_notDone;
    std::vector<StepOutcome> m_outcomes;
    std::vector<Visit> m_visits;
    std::vector<int> m_waitsFor;   // the action whose file holds this one's new name now
    std::vector<QString> m_setAside;
    int m_position = 0;
};

UndoRun::UndoRun(const BatchRoles &roles, const std::vector<JournalStep> &steps, bool foldsLetterCase,
                 BatchReport &notDone)
    : m_roles(roles), m_steps(steps), m_foldsLetterCase(foldsLetterCase), m_notDone(notDone),
      m_outcomes(steps.size()), m_visits(steps.size(), Visit::Pending), m_waitsFor(steps.size(), -1),
      m_setAside(steps.size())
{
    QHash<QString, int> byPlace;
    for (int i = 0; i < int(steps.size()); ++i) byPlace.insert(key(steps[size_t(i)].from), i);
    for (int i = 0; i < int(steps.size()); ++i) m_waitsFor[size_t(i)] = byPlace.value(key(steps[size_t(i)].to), -1);
}

bool UndoRun::run()
{
    m_roles.progress.show(int(m_steps.size()));
    for (int i = 0; i < int(m_steps.size()); ++i) {
        if (m_visits[size_t(i)] != Visit::Pending) continue;
        if (m_roles.progress.stopRequested()) return false;
        if (!runFrom(i)) return false;
    }
    return true;
}

bool UndoRun::runFrom(int index)
{
    std::vector<int> chain;
    int next = index;
    while (next >= 0 && m_visits[size_t(next)] == Visit::Pending) {
        m_visits[size_t(next)] = Visit::Visiting;
        chain.push_back(next);
        next = m_waitsFor[size_t(next)];
    }
    if (next >= 0 && m_visits[size_t(next)] == Visit::Visiting && m_steps[size_t(next)].method != StepMethod::FromTrash) {
        const JournalStep &held = m_steps[size_t(next)];
        if (m_roles.files.setAside(held.from, held.keptPath).ok()) m_setAside[size_t(next)] = held.keptPath;
    }
    for (auto step = chain.rbegin(); step != chain.rend(); ++step) {
        const int i = *step;
        m_visits[size_t(i)] = Visit::Done;
        runStep(i, m_setAside[size_t(i)].isEmpty() ? m_steps[size_t(i)].from : m_setAside[size_t(i)]);
        m_roles.progress.setPosition(++m_position);
    }
    return true;
}

void UndoRun::runStep(int index, const QString &at)
{
    const JournalStep &step = m_steps[size_t(index)];
    FsStatus status;
    switch (step.method) {
    case StepMethod::ToTrash: status = m_roles.trash.moveToTrash(at, *step.trash); break;
    case StepMethod::FromTrash: status = m_roles.trash.restoreFromTrash(*step.trash, step.to); break;
    default: status = moveBack(at, step); break;
    }
    if (status.ok()) {
        m_outcomes[size_t(index)] = {true, false, true, false};
        return;
    }
    const QString reason =
        status.fault == FsFault::Exists ? QCoreApplication::translate("Undo", "その名前に別のファイルがあります") : status.reason;
    m_notDone.add(at, step.to, QCoreApplication::translate("Undo", "元に戻せませんでした（%1）").arg(reason));
    if (step.method == StepMethod::ToTrash) m_roles.trash.releaseTrashEntry(*step.trash);
    if (at != step.from) m_roles.files.renameWithoutReplacing(at, step.from);   // out of its hidden name again
}

// Back under its old name, never over another file: renamed within one
// volume, copied and then deleted across two.
FsStatus UndoRun::moveBack(const QString &at, const JournalStep &step)
{
    if (step.method == StepMethod::Rename) return m_roles.files.renameWithoutReplacing(at, step.to);
    const FsStatus copied = m_roles.files.copyFile(at, step.to, BatchFiles::Landing::WithoutReplacing,
                                                         BatchFiles::Durability::BeforeNaming).status;
    return copied.ok() ? m_roles.files.deleteFile(at) : copied;
}

}  // namespace

QString BatchKindName(BatchKind kind)
{
    switch (kind) {
    case BatchKind::Rename: return QCoreApplication::translate("Undo", "リネーム");
    case BatchKind::Prefix: return QCoreApplication::translate("Undo", "ネーム追加");
    case BatchKind::Extension: return QCoreApplication::translate("Undo", "拡張子置換");
    case BatchKind::Alignment: return QCoreApplication::translate("Undo", "桁合わせ");
    case BatchKind::Undo: return QCoreApplication::translate("Undo", "元に戻す");
    }
    return QString();
}

UndoEnd UndoBatch(const BatchRoles &roles, const QString &journalPath, const Journal &journal,
                  const std::vector<StepOutcome> &outcomes)
{
    BatchReport notDone;
    Journal undo;
    std::unique_ptr<OpenJournal> file;
    FsStatus written;
    bool finished = false;
    {
        const BusyPointer busy(roles.dialogs);
        undo.kind = BatchKind::Undo;
        undo.startedMs = QDateTime::currentMSecsSinceEpoch();
        undo.undoes = journalPath;
        undo.source = journal.destination;
        undo.destination = journal.source;
        undo.steps = UndoPlanner(roles, journal).plan(outcomes, notDone);
        FsResult<std::unique_ptr<OpenJournal>> begun = roles.journals.begin(undo);
        written = begun.status;
        file = std::move(begun.value);
        if (file) {
            UndoRun run(roles, undo.steps, journal.source.foldsLetterCase || journal.destination.foldsLetterCase,
                        notDone);
            finished = run.run();
            roles.journals.finish(*file, run.outcomes());
            if (finished) roles.journals.markUndone(journalPath);
            roles.progress.hide();
        }
    }
    if (!file) {
        for (const JournalStep &step : undo.steps)
            if (step.method == StepMethod::ToTrash) roles.trash.releaseTrashEntry(*step.trash);
        tell(roles.dialogs, QCoreApplication::translate("Undo", "処理の記録を「%1」に書けないため、元に戻しませんでした。\n%2")
                                .arg(shownName(roles.journals.folder()), written.reason));
        return UndoEnd::Refused;
    }
    if (!notDone.isEmpty()) tell(roles.dialogs, QCoreApplication::translate("Undo", "次のファイルは元に戻していません。\n\n") + notDone.text());
    return finished ? UndoEnd::Finished : UndoEnd::Stopped;
}

}  // namespace nv
