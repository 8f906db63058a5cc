// SPDX-License-Identifier: GPL-3.0-or-later
// The second half of the copy loop: running a plan that copyplan.cpp made.
#include "naming/copybatch.h"

#include "naming/copiesahead.h"
#include "naming/copyjournal.h"

#include <QCoreApplication>
#include <algorithm>

namespace nv {
namespace {

class CopyRun {
public:
    CopyRun(const BatchRoles &roles, const CopyBatchRequest &request, CopyPlan &plan, CopyJournal &journal);

    BatchEnd run();

private:
    enum class Visit { Pending, Visiting, Done };
    struct Outcome {
        Visit visit = Visit::Pending;
        bool landed = false;
        bool linked = false;       // landed as a second name of its source: no byte copied
        bool setAside = false;     // its source was renamed to keptPath to break a cycle
        bool sourceGone = false;   // its source's name was emptied (moved, set aside, deleted)
        bool holderTrashed = false;   // the file it replaced went to its trash entry
        FileVersion version;   // of the source, as it was copied or linked
    };
    // A step whose source this run put aside, under the step's kept name.
    struct KeptFile {
        int step;
        QString path;
    };
    // Whether a step may land now; Skip: it is left undone and listed.
    enum class Clearance { Land, Skip, Fail };

    std::unique_ptr<CopiesAhead> writeAhead();
    bool copyPass();
    bool runChainFrom(int index);
    bool runStep(int index);
    bool copyOrLink(int index);
    bool landSetAside(int index);
    bool trashHolder(int index);
    bool setAside(int index);
    bool stopNow();
    Clearance clearName(int index);
    Clearance takeMovedName(int index);
    Clearance notReplaced(int index, const FsStatus &look);
    bool replaces(int index) const;
    bool isStillMoved(const FileVersion &now, const Outcome &moved) const;
    bool isFileLookedAt(const FileVersion &setAside, const FileVersion &looked) const;
    bool isOnDisk(const QString &path);
    void putBack(const KeptFile &kept);
    void putBackKept();
    bool deletionPass();
    bool deleteSource(int index);
    void advance();
    void advanceTo(int position);
    bool fail(const QString &what, const QString &reason);
    QString failureText() const;
    void finishJournal();
    QString endText() const;

    QString sourcePath(int index) const { return m_request.sourceFolder + m_plan.steps[size_t(index)].oldName; }
    QString targetPath(int index) const { return m_request.destinationFolder + m_plan.steps[size_t(index)].newName; }
    void notDone(int index, const QString &reason)
    {
        m_plan.notDone.add(m_plan.steps[size_t(index)].oldName, m_plan.steps[size_t(index)].newName, reason);
    }
    void sourceNotDone(int index, const QString &reason)
    {
        m_plan.notDone.addFile(m_plan.steps[size_t(index)].oldName, reason);
    }

    BatchFiles &m_files;
    Dialogs &m_dialogs;
    Trash &m_trash;
    BatchJournals &m_journals;
    BatchProgress &m_progress;
    const CopyBatchRequest &m_request;
    CopyPlan &m_plan;
    CopyJournal &m_journal;
    std::vector<Outcome> m_outcomes;
    std::vector<KeptFile> m_kept;
    std::vector<bool> m_overwritten;   // a step of this run lands on the step's source name
    int m_handled = 0;                 // steps done, for the bar
    int m_position = 0;
    int m_landed = 0;
    int m_deleted = 0;
    QString m_failure;
    bool m_stopped = false;
    bool m_inCycle = false;   // a source is set aside: the cycle runs to its end before a stop
    BatchReport m_keptBeside;   // replaced files that no trash took
    std::unique_ptr<CopiesAhead> m_ahead;   // the copy pass's copies, where they can be written ahead
};

CopyRun::CopyRun(const BatchRoles &roles, const CopyBatchRequest &request, CopyPlan &plan, CopyJournal &journal)
    : m_files(roles.files), m_dialogs(roles.dialogs), m_trash(roles.trash), m_journals(roles.journals),
      m_progress(roles.progress), m_request(request), m_plan(plan), m_journal(journal),
      m_outcomes(plan.steps.size()), m_overwritten(plan.steps.size(), false)
{
    for (int i = 0; i < int(plan.steps.size()); ++i) {
        const PlannedStep &step = plan.steps[size_t(i)];
        if (step.active && step.next >= 0 && step.next != i) m_overwritten[size_t(step.next)] = true;
    }
}

// A stop ends the copy pass; the sources of a move that landed are deleted
// all the same, so that every file done is wholly moved.
BatchEnd CopyRun::run()
{
    bool finished;
    {
        const BusyPointer busy(m_dialogs);
        m_progress.show(int(m_request.rows.size()));
        if (!m_journal.planSteps.empty()) m_files.removeStaleTemporaries(m_request.destinationFolder);
        m_ahead = writeAhead();
        finished = copyPass() || m_stopped;
        m_ahead.reset();
        if (finished && m_request.move) finished = deletionPass();
        putBackKept();
        finishJournal();
    }
    if (!finished) {
        tell(m_dialogs, failureText());
        return BatchEnd::Failed;
    }
    m_progress.hide();
    if (m_stopped) {
        return AskUndoAfterStop(m_dialogs, m_landed, int(m_journal.planSteps.size()), endText()) ? BatchEnd::StoppedToUndo
                                                                                                  : BatchEnd::Stopped;
    }
    if (!endText().isEmpty()) tell(m_dialogs, endText());
    return BatchEnd::Normal;
}

QString CopyRun::endText() const
{
    QString text;
    if (!m_keptBeside.isEmpty())
        text = QCoreApplication::translate("CopyBatch", "ごみ箱が使えないため、置き換えたファイルを次の名前で残しました。\n\n") + m_keptBeside.text();
    if (!m_plan.notDone.isEmpty()) {
        if (!text.isEmpty()) text += QStringLiteral("\n\n");
        text += QCoreApplication::translate("CopyBatch", "次のファイルは処理していません。\n\n") + m_plan.notDone.text();
    }
    return text;
}

// The end record: what became of each step. Trash entries that received no
// file are given up first.
void CopyRun::finishJournal()
{
    std::vector<StepOutcome> outcomes;
    outcomes.reserve(m_journal.planSteps.size());
    for (const int index : m_journal.planSteps) {
        const Outcome &outcome = m_outcomes[size_t(index)];
        outcomes.push_back({outcome.landed, outcome.linked, outcome.sourceGone, outcome.holderTrashed});
    }
    ReleaseTrashEntries(m_trash, m_plan);
    m_journals.finish(*m_journal.file, outcomes);
}

bool CopyRun::stopNow()
{
    if (!m_inCycle && !m_stopped && m_progress.stopRequested()) m_stopped = true;
    return m_stopped;
}

// Copies into names that no step of the run empties or replaces land in list
// order, the order they can be written ahead in.
std::unique_ptr<CopiesAhead> CopyRun::writeAhead()
{
    if (m_request.move) return nullptr;
    std::vector<CopiesAhead::Order> orders;
    for (int i = 0; i < int(m_plan.steps.size()); ++i) {
        const PlannedStep &step = m_plan.steps[size_t(i)];
        if (!step.active) continue;
        if (step.next >= 0 || step.replaces) return nullptr;
        orders.push_back({sourcePath(i), targetPath(i)});
    }
    if (orders.size() < 2) return nullptr;
    return std::make_unique<CopiesAhead>(m_files, std::move(orders), BatchFiles::Durability::Cached);
}

// Every step in list order, each after the step whose source its new name
// takes; cycles are broken by setting one source aside.
bool CopyRun::copyPass()
{
    for (int i = 0; i < int(m_plan.steps.size()); ++i) {
        if (!m_plan.steps[size_t(i)].active) advance();
        else if (m_outcomes[size_t(i)].visit == Visit::Pending && !runChainFrom(i)) return false;
    }
    advanceTo(int(m_request.rows.size()));
    return true;
}

bool CopyRun::runChainFrom(int index)
{
    std::vector<int> chain;
    int next = index;
    while (next >= 0 && m_outcomes[size_t(next)].visit == Visit::Pending) {
        m_outcomes[size_t(next)].visit = Visit::Visiting;
        chain.push_back(next);
        next = m_plan.steps[size_t(next)].next;
    }
    if (stopNow()) return false;
    m_inCycle = next >= 0 && m_outcomes[size_t(next)].visit == Visit::Visiting;
    if (m_inCycle) {
        if (!setAside(next)) return false;
        m_outcomes[size_t(next)].setAside = true;
    }
    for (auto step = chain.rbegin(); step != chain.rend(); ++step) {
        if ((step != chain.rbegin() && stopNow()) || !runStep(*step)) return false;
    }
    m_inCycle = false;
    return true;
}

// Renames a step's source to the kept name its journal holds. Even a failed
// rename may have happened: the end looks there.
bool CopyRun::setAside(int index)
{
    const QString kept = m_plan.steps[size_t(index)].keptPath;
    const FsStatus status = m_files.setAside(sourcePath(index), kept);
    m_kept.push_back({index, kept});
    if (status.ok()) return true;
    return fail(QCoreApplication::translate("CopyBatch", "「%1」に一時的な名前を付けられませんでした。").arg(shownName(sourcePath(index))),
                status.reason);
}

bool CopyRun::runStep(int index)
{
    m_outcomes[size_t(index)].visit = Visit::Done;
    const Clearance clearance = clearName(index);
    if (clearance == Clearance::Fail) return false;
    const bool ran = clearance == Clearance::Skip
                     || (m_outcomes[size_t(index)].setAside ? landSetAside(index) : copyOrLink(index));
    if (ran) advance();
    return ran;
}

// A new name may take a selected source's name only once that source's
// content is safe elsewhere; in move mode the name is emptied first.
CopyRun::Clearance CopyRun::clearName(int index)
{
    const PlannedStep &step = m_plan.steps[size_t(index)];
    if (step.next < 0 || step.next == index) return Clearance::Land;
    const Outcome &moved = m_outcomes[size_t(step.next)];
    if (!moved.landed && !moved.setAside) {
        notDone(index, QCoreApplication::translate("CopyBatch", "「%1」を先に移せなかったため、処理していません")
                           .arg(shownName(m_plan.steps[size_t(step.next)].oldName)));
        return Clearance::Skip;
    }
    return m_request.move && !moved.setAside ? takeMovedName(index) : Clearance::Land;
}

// Empties the name of a source that this run moved away, for the step that
// takes it, so that the step lands without replacing. The file under the name
// is looked at, set aside and deleted only if it still is what was moved from
// there; anything else (another program's file) stays or goes back.
CopyRun::Clearance CopyRun::takeMovedName(int index)
{
    const int heldIndex = m_plan.steps[size_t(index)].next;
    Outcome &held = m_outcomes[size_t(heldIndex)];
    // Looked at under its own spelling before it is renamed: a card's driver
    // may number another spelling apart, and stamp a renamed file with the
    // time of the rename.
    const FsResult<FileVersion> looked = m_files.fileVersion(sourcePath(heldIndex));
    if (looked.status.fault == FsFault::Missing) {
        held.sourceGone = true;   // gone already: its content is at its new name
        return Clearance::Land;
    }
    if (!looked.ok() || !isStillMoved(looked.value, held)) return notReplaced(index, looked.status);
    if (!setAside(heldIndex)) return Clearance::Fail;
    const QString kept = m_kept.back().path;
    const FsResult<FileVersion> setAside = m_files.fileVersion(kept);
    if (!setAside.ok() || !isFileLookedAt(setAside.value, looked.value)) {
        putBack(m_kept.back());
        return notReplaced(index, setAside.status);
    }
    const FsStatus deleted = m_files.deleteFile(kept);
    if (!deleted.ok()) {
        fail(QCoreApplication::translate("CopyBatch", "「%1」を削除できませんでした。").arg(shownName(kept)), deleted.reason);
        return Clearance::Fail;
    }
    held.sourceGone = true;
    ++m_deleted;
    return Clearance::Land;
}

CopyRun::Clearance CopyRun::notReplaced(int index, const FsStatus &look)
{
    const QString held = shownName(m_plan.steps[size_t(m_plan.steps[size_t(index)].next)].oldName);
    notDone(index, look.ok() ? QCoreApplication::translate("CopyBatch", "「%1」が移した後で変わったため、置き換えていません").arg(held)
                             : QCoreApplication::translate("CopyBatch", "「%1」を確かめられないため、置き換えていません（%2）").arg(held, look.reason));
    return Clearance::Skip;
}

// A card of the FAT family gives one file another inode number under each
// spelling of its name, so there the name (looked up), size and time tell it.
bool CopyRun::isStillMoved(const FileVersion &now, const Outcome &moved) const
{
    const Recognition recognition =
        m_plan.destination.foldsLetterCase ? Recognition::ByNameSizeAndTime : Recognition::ByIdentity;
    return isSameVersion(now, moved.version, moved.linked, recognition);
}

// Whether the file set aside is the one looked at just before: by its inode,
// or on a card, whose driver may number it and time it anew, by its size.
bool CopyRun::isFileLookedAt(const FileVersion &setAside, const FileVersion &looked) const
{
    return m_plan.destination.foldsLetterCase ? setAside.size == looked.size : setAside.identity == looked.identity;
}

// Over a file the user agreed to replace, unless this run set that file aside
// and so emptied the name itself.
bool CopyRun::replaces(int index) const
{
    const PlannedStep &step = m_plan.steps[size_t(index)];
    return step.replaces && !(step.next >= 0 && m_outcomes[size_t(step.next)].setAside);
}

// The file the user agreed to replace goes where the plan reserved, just
// before its name is taken; one gone meanwhile leaves the name free.
bool CopyRun::trashHolder(int index)
{
    const PlannedStep &step = m_plan.steps[size_t(index)];
    const FsStatus moved = m_trash.moveToTrash(targetPath(index), *step.trash);
    if (moved.ok()) {
        m_outcomes[size_t(index)].holderTrashed = true;
        if (!step.trash->inTrash)
            m_keptBeside.add(step.newName, step.trash->name, QCoreApplication::translate("CopyBatch", "置き換えたファイル"));
        return true;
    }
    if (moved.fault == FsFault::Missing) return true;
    return fail(QCoreApplication::translate("CopyBatch", "置き換える「%1」をごみ箱に移せませんでした。").arg(shownName(targetPath(index))),
                moved.reason);
}

bool CopyRun::copyOrLink(int index)
{
    const QString source = sourcePath(index);
    const QString target = targetPath(index);
    using Landing = BatchFiles::Landing;
    if (replaces(index) && !trashHolder(index)) return false;
    const Landing landing = Landing::WithoutReplacing;
    FsResult<FileVersion> result;
    bool linked = false;
    if (m_request.move) {
        result = m_files.linkFile(source, target, landing);
        linked = result.ok();
    }
    // A copy whose source name this run reuses holds the only copy of that
    // content once the name is taken: it must be on the volume first. A
    // move's copies are flushed before their sources are deleted.
    using Durability = BatchFiles::Durability;
    const Durability durability = m_overwritten[size_t(index)] ? Durability::BeforeNaming
                                  : m_request.move             ? Durability::FlushFollows
                                                               : Durability::Cached;
    const auto keepGoing = [this] { return m_inCycle || !m_progress.stopRequested(); };
    if (m_ahead) result = m_ahead->landNext(landing, keepGoing);
    else if (!m_request.move || result.status.fault == FsFault::CannotLink)
        result = m_files.copyFile(source, target, landing, durability, keepGoing);

    switch (result.status.fault) {
    case FsFault::None:
        m_outcomes[size_t(index)].landed = true;
        m_outcomes[size_t(index)].linked = linked;
        m_outcomes[size_t(index)].version = result.value;
        ++m_landed;
        return true;
    case FsFault::Exists:
        notDone(index, QCoreApplication::translate("CopyBatch", "途中で同じ名前のファイルが作られたため、コピーしていません"));
        return true;
    case FsFault::Changed:
        notDone(index, QCoreApplication::translate("CopyBatch", "コピーの間に内容が変わったため、コピーしていません（元のファイルはそのままです）"));
        return true;
    case FsFault::NotPlainFile:
        notDone(index, QCoreApplication::translate("CopyBatch", "通常のファイルではないため、コピーしていません"));
        return true;
    case FsFault::Stopped:
        m_stopped = true;
        return false;
    default:
        return fail(QCoreApplication::translate("CopyBatch", "「%1」を「%2」に%3できませんでした。")
                        .arg(shownName(source), shownName(target),
                             m_request.move ? QCoreApplication::translate("CopyBatch", "移動") : QCoreApplication::translate("CopyBatch", "コピー")),
                    result.status.reason);
    }
}

bool CopyRun::landSetAside(int index)
{
    Outcome &outcome = m_outcomes[size_t(index)];
    const QString target = targetPath(index);
    const QString kept = m_plan.steps[size_t(index)].keptPath;
    if (replaces(index) && !trashHolder(index)) return false;
    const FsStatus status = m_files.renameWithoutReplacing(kept, target);
    if (status.ok()) {
        outcome.landed = true;
        outcome.sourceGone = true;
        ++m_landed;
        return true;
    }
    if (status.fault == FsFault::Exists) {
        notDone(index, QCoreApplication::translate("CopyBatch", "途中で同じ名前のファイルが作られたため、名前を変えていません"));
        return true;
    }
    return fail(QCoreApplication::translate("CopyBatch", "「%1」を「%2」にできませんでした。").arg(shownName(kept), shownName(target)),
                status.reason);
}

bool CopyRun::isOnDisk(const QString &path)
{
    const FsResult<BatchFiles::NameState> state = m_files.nameState(path);
    return !state.ok() || state.value.kind != BatchFiles::NameKind::Free;
}

// A file still under its kept name goes back to the name it came from where
// that is free; otherwise the user learns where it is. The disk decides, not
// what the rename answered: a network file system may report a failure for a
// rename that happened.
void CopyRun::putBack(const KeptFile &kept)
{
    if (!isOnDisk(kept.path)) return;
    if (m_files.renameWithoutReplacing(kept.path, sourcePath(kept.step)).ok() || !isOnDisk(kept.path)) return;
    sourceNotDone(kept.step, QCoreApplication::translate("CopyBatch", "元のファイルは「%1」という名前で残っています").arg(shownName(kept.path)));
}

// At the end every name this run set a file aside under is looked at: it is
// empty once its file landed or was deleted as planned.
void CopyRun::putBackKept()
{
    for (const KeptFile &kept : m_kept) putBack(kept);
}

// Deletes the sources whose copies landed and whose names are not emptied
// already; copied bytes are on the volume before the first deletion.
bool CopyRun::deletionPass()
{
    std::vector<int> deletable;
    QStringList copies;
    for (int i = 0; i < int(m_outcomes.size()); ++i) {
        const Outcome &outcome = m_outcomes[size_t(i)];
        if (!outcome.landed || outcome.setAside || outcome.sourceGone) continue;
        deletable.push_back(i);
        if (!outcome.linked) copies.append(m_plan.steps[size_t(i)].newName);
    }
    if (!copies.isEmpty()) {
        const FsStatus flushed = m_files.flushCopies(m_request.destinationFolder, copies);
        if (!flushed.ok()) {
            return fail(QCoreApplication::translate("CopyBatch", "コピー先「%1」への書き込みを確かめられませんでした。")
                            .arg(shownName(m_request.destinationFolder)),
                        flushed.reason);
        }
    }
    for (const int index : deletable) {
        if (!deleteSource(index)) return false;
    }
    return true;
}

bool CopyRun::deleteSource(int index)
{
    const QString source = sourcePath(index);
    const Outcome &outcome = m_outcomes[size_t(index)];
    const FsResult<FileVersion> now = m_files.fileVersion(source);
    if (!now.ok()) {
        sourceNotDone(index, QCoreApplication::translate("CopyBatch", "元のファイルを確かめられないため、削除していません（%1）").arg(now.status.reason));
        return true;
    }
    if (!isSameVersion(now.value, outcome.version, outcome.linked)) {
        sourceNotDone(index, QCoreApplication::translate("CopyBatch", "コピーした後で変わったため、元のファイルを削除していません"));
        return true;
    }
    // Clearing the attributes only helps the deletion along; file systems that
    // keep no permissions (FAT through FUSE) refuse it and delete all the same,
    // so the deletion alone decides. A linked source is the moved file itself,
    // whose permissions stay as they were.
    if (!outcome.linked) m_files.setAttributesNormal(source);
    const FsStatus status = m_files.deleteFile(source);
    if (!status.ok()) return fail(QCoreApplication::translate("CopyBatch", "「%1」を削除できませんでした。").arg(shownName(source)), status.reason);
    m_outcomes[size_t(index)].sourceGone = true;
    ++m_deleted;
    return true;
}

// The bar follows the list: after the k-th step it stands after the k-th
// selected row, whatever order the steps ran in.
void CopyRun::advance()
{
    advanceTo(int(m_plan.steps[size_t(m_handled++)].row) + 1);
}

void CopyRun::advanceTo(int position)
{
    while (m_position < position) m_progress.setPosition(++m_position);
}

bool CopyRun::fail(const QString &what, const QString &reason)
{
    m_failure = what + QLatin1Char('\n') + reason;
    return false;
}

QString CopyRun::failureText() const
{
    QString done;
    if (!m_request.move) {
        done = QCoreApplication::translate("CopyBatch", "それまでに %1 個のファイルをコピーしました。").arg(m_landed);
    } else if (m_deleted == 0) {
        done = QCoreApplication::translate("CopyBatch", "それまでに %1 個のファイルを移動先に置きました。元のファイルは一つも削除していません。")
                   .arg(m_landed);
    } else {
        done = QCoreApplication::translate("CopyBatch", "%1 個のファイルを移動先に置き、元のファイルを %2 個削除したところです。")
                   .arg(m_landed)
                   .arg(m_deleted);
    }
    QString text = m_failure + QCoreApplication::translate("CopyBatch", "\n処理を中止しました。") + done;
    if (!m_plan.notDone.isEmpty()) text += QCoreApplication::translate("CopyBatch", "\n\n次のファイルは処理していません。\n") + m_plan.notDone.text();
    return text;
}

}  // namespace

BatchEnd CopyBatch(const BatchRoles &roles, const CopyBatchRequest &request)
{
    CopyPlan plan;
    switch (PlanCopyBatch(roles.files, roles.dialogs, request, plan)) {
    case PlanEnd::Cancelled:
        return BatchEnd::Cancelled;
    case PlanEnd::Refused:
        return BatchEnd::Refused;
    case PlanEnd::Ready:
        break;
    }
    std::optional<CopyJournal> journal = BeginCopyJournal(roles, request, plan);
    if (!journal) return BatchEnd::Refused;
    return CopyRun(roles, request, plan, *journal).run();
}

}  // namespace nv
