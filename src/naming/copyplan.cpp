// SPDX-License-Identifier: GPL-3.0-or-later
#include "naming/copyplan.h"

#include "naming/cardnames.h"
#include "platform/nativepath.h"

#include <QCoreApplication>

namespace nv {
namespace {

bool isSelected(const CopyBatchRequest &request, qsizetype row)
{
    return row < qsizetype(request.selected.size()) && request.selected[size_t(row)];
}

bool isSingleFileName(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
           && !name.contains(QLatin1Char('/')) && !name.contains(QChar(0));
}

class Planner {
public:
    Planner(BatchFiles &files, Dialogs &dialogs, const CopyBatchRequest &request, CopyPlan &plan)
        : m_files(files), m_dialogs(dialogs), m_request(request), m_plan(plan)
    {
    }

    PlanEnd run();

private:
    void makeNames();
    FsStatus probeDestination();
    void findHolders();
    void lookAtTargets(const std::vector<int> &indexes);
    void findHolder(int index, const FsResult<BatchFiles::NameState> &state);
    void keepsItsName(PlannedStep &step);
    PlanEnd askQuestions();
    void linkSteps();
    PlanEnd refuse();

    bool needsQuestion(const PlannedStep &step, int index) const;
    void refusal(const PlannedStep &step, const QString &reason) { m_refusals.add(step.oldName, step.newName, reason); }

    BatchFiles &m_files;
    Dialogs &m_dialogs;
    const CopyBatchRequest &m_request;
    CopyPlan &m_plan;
    BatchReport m_refusals;
};

// The names are checked under the busy pointer; the questions and messages
// come without it.
PlanEnd Planner::run()
{
    FsStatus probed;
    {
        const BusyPointer busy(m_dialogs);
        makeNames();
        if (m_refusals.isEmpty() && !m_plan.steps.empty()) {
            probed = probeDestination();
            if (probed.ok()) findHolders();
        }
    }
    if (!probed.ok()) {
        tell(m_dialogs, QCoreApplication::translate("CopyPlan", "コピー先のフォルダ「%1」にファイルを作れません。\n%2\n"
                                       "ファイルは一つもコピーしていません。")
                            .arg(shownName(m_request.destinationFolder), probed.reason));
        return PlanEnd::Refused;
    }
    if (!m_refusals.isEmpty()) return refuse();
    if (m_plan.steps.empty()) return PlanEnd::Ready;
    const PlanEnd asked = askQuestions();
    if (asked != PlanEnd::Ready) return asked;
    linkSteps();
    return PlanEnd::Ready;
}

void Planner::makeNames()
{
    for (qsizetype row = 0; row < m_request.rows.size(); ++row) {
        if (!isSelected(m_request, row)) continue;
        PlannedStep step;
        step.row = row;
        step.oldName = m_request.rows[row];
        const std::optional<QString> newName = m_request.newName(step.oldName);
        if (!newName) {
            m_refusals.addFile(step.oldName, QCoreApplication::translate("CopyPlan", "通し番号が 2147483647 を超えます"));
        } else {
            step.newName = *newName;
            if (!isSingleFileName(step.newName))
                refusal(step, QCoreApplication::translate("CopyPlan", "ファイル名になりません（空の名前、「.」、「..」、「/」や NUL 文字を含む名前）"));
        }
        m_plan.steps.push_back(step);
    }
}

FsStatus Planner::probeDestination()
{
    const FsResult<BatchFiles::FolderProbe> probe =
        m_files.probeFolder(m_request.destinationFolder, m_request.sourceFolder);
    m_plan.destination = probe.value;
    return probe.status;
}

// Who holds each new name: nobody, a selected source of this same folder, or
// another file. Checked against the disk, hidden files included.
void Planner::findHolders()
{
    QHash<QString, int> bySource, byTarget;
    std::vector<int> unheld;   // steps whose new name no source of the run holds
    if (m_plan.destination.sameAsOther) {
        for (int i = 0; i < int(m_plan.steps.size()); ++i) bySource.insert(m_plan.key(m_plan.steps[i].oldName), i);
    }
    for (int i = 0; i < int(m_plan.steps.size()); ++i) {
        PlannedStep &step = m_plan.steps[i];
        const QString problem = nameProblem(m_plan.destination, step.newName);
        if (!problem.isEmpty()) {
            refusal(step, problem);
            continue;
        }
        const QString target = m_plan.key(step.newName);
        const auto shared = byTarget.constFind(target);
        if (shared != byTarget.cend()) {
            refusal(step, QCoreApplication::translate("CopyPlan", "「%1」と同じ名前になります").arg(shownName(m_plan.steps[*shared].oldName)));
            continue;
        }
        byTarget.insert(target, i);
        step.holder = bySource.value(target, -1);
        if (step.holder == i) keepsItsName(step);
        else if (step.holder < 0) unheld.push_back(i);
    }
    lookAtTargets(unheld);
}

void Planner::lookAtTargets(const std::vector<int> &indexes)
{
    QStringList names;
    names.reserve(qsizetype(indexes.size()));
    for (const int index : indexes) names.append(m_plan.steps[size_t(index)].newName);
    const std::vector<FsResult<BatchFiles::NameState>> states = m_files.nameStates(m_request.destinationFolder, names);
    for (size_t i = 0; i < indexes.size(); ++i) findHolder(indexes[i], states[i]);
}

// A new name that the folder takes for the old one: nothing to do when it is
// the very name; a change of letter case only is a rename through a name set
// aside in move mode, and cannot make a second file in copy mode.
void Planner::keepsItsName(PlannedStep &step)
{
    if (step.newName == step.oldName) {
        step.active = false;
    } else if (!m_request.move) {
        step.active = false;
        m_plan.notDone.add(step.oldName, step.newName,
                           QCoreApplication::translate("CopyPlan", "大文字と小文字だけが違う名前は、このフォルダでは別のファイルになりません"));
    }
}

void Planner::findHolder(int index, const FsResult<BatchFiles::NameState> &state)
{
    PlannedStep &step = m_plan.steps[size_t(index)];
    if (!state.ok()) {
        refusal(step, QCoreApplication::translate("CopyPlan", "コピー先を確かめられません（%1）").arg(state.status.reason));
    } else if (state.value.kind == BatchFiles::NameKind::Other) {
        refusal(step, QCoreApplication::translate("CopyPlan", "コピー先にある同じ名前のものがファイルではありません（フォルダなど）"));
    } else if (state.value.kind == BatchFiles::NameKind::File) {
        // Another name of the very file (a hard link): nothing to do.
        const FsResult<FileVersion> source = m_files.fileVersion(m_request.sourceFolder + step.oldName);
        if (source.ok() && source.value.identity == state.value.identity) step.active = false;
        else step.holder = PlannedStep::kOutsideFile;
    }
}

// A selected source that this run moves away does not stay in the way; every
// other file does, and is replaced only after the user agreed. A No in move
// mode keeps that source where it is, which can put it in the way of another
// step: ask again until no answer changes the plan.
bool Planner::needsQuestion(const PlannedStep &step, int index) const
{
    if (step.holder == PlannedStep::kOutsideFile) return true;
    if (step.holder < 0 || step.holder == index) return false;
    return !m_request.move || !m_plan.steps[size_t(step.holder)].active;
}

PlanEnd Planner::askQuestions()
{
    std::vector<bool> asked(m_plan.steps.size(), false);
    for (bool planChanged = true; planChanged;) {
        planChanged = false;
        for (int i = 0; i < int(m_plan.steps.size()); ++i) {
            PlannedStep &step = m_plan.steps[i];
            if (!step.active || asked[size_t(i)] || !needsQuestion(step, i)) continue;
            asked[size_t(i)] = true;
            if (!m_request.askOnExisting) {
                refusal(step, QCoreApplication::translate("CopyPlan", "コピー先に同じ名前のファイルがあります"));
                continue;
            }
            const MessageAnswer answer = m_dialogs.showMessage(
                QCoreApplication::translate("CopyPlan", "%1と同名のファイルが存在します。上書きしますか？").arg(step.newName),
                MessageButtons::YesNoCancel, MessageIcon::Exclamation, kApplicationTitle);
            if (answer == MessageAnswer::Yes) continue;
            if (answer != MessageAnswer::No) return PlanEnd::Cancelled;
            step.active = false;
            planChanged = m_request.move;
        }
    }
    return m_refusals.isEmpty() ? PlanEnd::Ready : refuse();
}

// Only a file the user agreed to replace is landed over. A name that the run
// itself empties (a source moved away or set aside) is landed on without
// replacing, so a file that another program put there meanwhile stays.
void Planner::linkSteps()
{
    for (int i = 0; i < int(m_plan.steps.size()); ++i) {
        PlannedStep &step = m_plan.steps[i];
        const bool sourceInTheWay = step.holder >= 0 && m_plan.steps[size_t(step.holder)].active;
        step.next = sourceInTheWay ? step.holder : -1;
        step.replaces = needsQuestion(step, i);
    }
}

PlanEnd Planner::refuse()
{
    tell(m_dialogs, QCoreApplication::translate("CopyPlan", "次のファイルは新しい名前にできません。\nファイルは一つもコピーしていません。\n\n")
                        + m_refusals.text());
    return PlanEnd::Refused;
}

}  // namespace

QString nameProblem(const BatchFiles::FolderProbe &folder, const QString &name)
{
    const qsizetype length = folder.nameLengthInUtf16 ? name.size() : toNativeName(name).size();
    if (length > folder.maxNameLength) {
        const QString unit = folder.nameLengthInUtf16 ? QCoreApplication::translate("CopyPlan", "文字") : QCoreApplication::translate("CopyPlan", "バイト");
        return QCoreApplication::translate("CopyPlan", "名前が長すぎます（このフォルダでは %1 %2まで）").arg(folder.maxNameLength).arg(unit);
    }
    return folder.foldsLetterCase ? cardNameProblem(name) : QString();
}

PlanEnd PlanCopyBatch(BatchFiles &files, Dialogs &dialogs, const CopyBatchRequest &request, CopyPlan &plan)
{
    return Planner(files, dialogs, request, plan).run();
}

}  // namespace nv
