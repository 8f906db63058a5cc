// SPDX-License-Identifier: GPL-3.0-or-later
#include "naming/digitalignment.h"

#include "naming/copyjournal.h"

#include "text/characters.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QHash>

#include <algorithm>
#include <optional>

namespace nv {
namespace {

qsizetype lastDigitBefore(const QString &name, qsizetype end)
{
    for (qsizetype i = end - 1; i >= 0; --i)
        if (isAsciiDigit(name[i])) return i;
    return -1;
}

// Where the number of a name starts, in UTF-16 units; -1 when it has none.
qsizetype numberStart(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    qsizetype digit = lastDigitBefore(name, dot < 0 ? name.size() : dot);
    if (digit < 0) digit = lastDigitBefore(name, name.size());
    while (digit > 0 && isAsciiDigit(name[digit - 1])) --digit;
    return digit;
}

// The longest name leads: every shorter name gets its zeros where the
// longest name's number starts, counted in characters from the left.
struct Lead {
    qsizetype length = 0;
    qsizetype prefixLength = 0;   // the characters in front of the number
    QString refusal;              // why the name cannot lead; empty when it can
};

Lead leadOf(const QString &longest)
{
    Lead lead;
    lead.length = characterCount(longest);
    const qsizetype start = numberStart(longest);
    if (start < 0) lead.refusal = QCoreApplication::translate("DigitAlignment", "いちばん長い名前に数字がないため、番号の位置が決まりません");
    // Nothing stands in front of the number to tell where another name's
    // number starts: 1.jpg beside 100.jpg could be a number or a name.
    else if (start == 0) lead.refusal = QCoreApplication::translate("DigitAlignment", "いちばん長い名前が数字で始まるため、番号の前の文字数が決まりません");
    else lead.prefixLength = characterCount(QStringView(longest).left(start));
    return lead;
}

// A shorter name with its zeros; nothing unless they would go in front of a
// number (a digit behind the cut, none before it), so a name laid out
// differently from the longest is never given a changed number.
std::optional<QString> alignedTo(const Lead &lead, const QString &name, qsizetype length)
{
    const qsizetype cut = leftCharacters(name, lead.prefixLength).size();
    if (length <= lead.prefixLength || !isAsciiDigit(name[cut]) || (cut > 0 && isAsciiDigit(name[cut - 1])))
        return std::nullopt;
    return name.left(cut) + QString(lead.length - length, u'0') + name.mid(cut);
}

// Who wants a new name and what already holds it: nothing may be replaced.
void checkAgainstFolder(BatchFiles &files, const QString &folder, AlignmentPlan &plan)
{
    const FsResult<BatchFiles::FolderProbe> probe = files.probeFolder(folder, folder);
    if (!probe.ok()) {
        plan.refusals.addFile(folder, QCoreApplication::translate("DigitAlignment", "このフォルダではファイルの名前を変えられません（%1）")
                                          .arg(probe.status.reason));
        return;
    }
    QHash<QString, QString> oldNameByNewName;
    for (const AlignedName &rename : plan.renames) {
        const QString key = nameKey(probe.value, rename.newName);
        const auto shared = oldNameByNewName.constFind(key);
        if (shared != oldNameByNewName.cend()) {
            plan.refusals.add(rename.oldName, rename.newName,
                              QCoreApplication::translate("DigitAlignment", "「%1」と同じ名前になります").arg(shownName(*shared)));
            continue;
        }
        oldNameByNewName.insert(key, rename.oldName);
        const QString problem = nameProblem(probe.value, rename.newName);
        if (!problem.isEmpty()) {
            plan.refusals.add(rename.oldName, rename.newName, problem);
            continue;
        }
        const FsResult<BatchFiles::NameState> state = files.nameState(folder + rename.newName);
        if (!state.ok())
            plan.refusals.add(rename.oldName, rename.newName,
                              QCoreApplication::translate("DigitAlignment", "新しい名前を確かめられません（%1）").arg(state.status.reason));
        else if (state.value.kind != BatchFiles::NameKind::Free)
            plan.refusals.add(rename.oldName, rename.newName, QCoreApplication::translate("DigitAlignment", "同じ名前のファイルがあります"));
    }
}

Journal alignmentJournal(const BatchRoles &roles, const QString &folder, const AlignmentPlan &plan)
{
    Journal journal;
    journal.kind = BatchKind::Alignment;
    journal.startedMs = QDateTime::currentMSecsSinceEpoch();
    journal.source = journal.destination = roles.journals.describeFolder(folder);
    for (const AlignedName &rename : plan.renames) {
        JournalStep step;
        step.from = folder + rename.oldName;
        step.to = folder + rename.newName;
        step.method = StepMethod::Rename;
        step.source = roles.files.fileVersion(step.from).value;
        journal.steps.push_back(step);
    }
    return journal;
}

// Every new name was free on disk, so it is no old name that a rename still
// has to move away: the order does not matter. Another program may take a name meanwhile;
// the rename then fails without replacing it.
AlignmentEnd renameAll(const BatchRoles &roles, const QString &folder, const AlignmentPlan &plan,
                       std::vector<StepOutcome> &outcomes, QString &message)
{
    int renamed = 0;
    roles.progress.show(int(plan.renames.size()));
    for (const AlignedName &rename : plan.renames) {
        if (roles.progress.stopRequested()) return AlignmentEnd::Stopped;
        const FsStatus status = roles.files.renameWithoutReplacing(folder + rename.oldName, folder + rename.newName);
        if (!status.ok()) {
            message = QCoreApplication::translate("DigitAlignment", "「%1」を「%2」にできませんでした。\n%3\n処理を中止しました。"
                                     "それまでに %4 個のファイルの名前を変えました。")
                          .arg(shownName(folder + rename.oldName), shownName(rename.newName), status.reason)
                          .arg(renamed);
            return AlignmentEnd::Failed;
        }
        outcomes[size_t(renamed)] = {true, false, true, false};
        roles.progress.setPosition(++renamed);
    }
    return AlignmentEnd::Renamed;
}

}  // namespace

AlignmentPlan PlanAlignment(const QStringList &names)
{
    AlignmentPlan plan;
    std::vector<qsizetype> lengths;
    qsizetype maxLength = 0;
    QString longest;   // the first of the longest names
    for (const QString &name : names) {
        lengths.push_back(characterCount(name));
        if (lengths.back() > maxLength) {
            maxLength = lengths.back();
            longest = name;
        }
    }
    if (std::all_of(lengths.begin(), lengths.end(), [&](qsizetype length) { return length == maxLength; }))
        return plan;
    const Lead lead = leadOf(longest);
    if (!lead.refusal.isEmpty()) {
        plan.refusals.addFile(longest, lead.refusal);
        return plan;
    }
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString &name = names[i];
        if (lengths[size_t(i)] == maxLength) continue;
        const std::optional<QString> aligned = alignedTo(lead, name, lengths[size_t(i)]);
        if (!aligned) {
            plan.refusals.addFile(name, QCoreApplication::translate("DigitAlignment", "番号が「%1」の番号と同じ位置にありません").arg(shownName(longest)));
            continue;
        }
        plan.renames.push_back({name, *aligned});
    }
    return plan;
}

QString AlignedNameOf(const QString &name, const QString &longest)
{
    const Lead lead = leadOf(longest);
    const qsizetype length = characterCount(name);
    if (!lead.refusal.isEmpty() || length >= lead.length) return name;
    return alignedTo(lead, name, length).value_or(name);
}

AlignmentEnd AlignNumbersInFolder(const BatchRoles &roles, const QString &folder, const QStringList &names,
                                  const std::function<void(AlignmentPlan &)> &takeAlong)
{
    AlignmentEnd end = AlignmentEnd::Renamed;
    QString message;
    std::vector<StepOutcome> outcomes;
    FsStatus unwritten;
    {
        const BusyPointer busy(roles.dialogs);
        AlignmentPlan plan = PlanAlignment(names);
        if (takeAlong && plan.refusals.isEmpty()) takeAlong(plan);
        if (plan.refusals.isEmpty() && !plan.renames.empty()) checkAgainstFolder(roles.files, folder, plan);
        if (!plan.refusals.isEmpty()) {
            end = AlignmentEnd::Refused;
            message = QCoreApplication::translate("DigitAlignment", "次のファイルは桁合わせできません。\nファイルの名前は一つも変えていません。\n\n")
                      + plan.refusals.text();
        } else if (!plan.renames.empty()) {
            FsResult<std::unique_ptr<OpenJournal>> journal =
                roles.journals.begin(alignmentJournal(roles, folder, plan));
            if (!journal.ok()) {
                end = AlignmentEnd::Refused;
                unwritten = journal.status;
            } else {
                outcomes.resize(plan.renames.size());
                end = renameAll(roles, folder, plan, outcomes, message);
                roles.journals.finish(*journal.value, outcomes);
                roles.progress.hide();
            }
        }
    }
    if (!message.isEmpty()) tell(roles.dialogs, message);
    if (!unwritten.ok()) TellJournalUnwritable(roles.dialogs, roles.journals, unwritten);
    if (end == AlignmentEnd::Stopped
        && AskUndoAfterStop(roles.dialogs, landedCount(outcomes), int(outcomes.size()), QString()))
        end = AlignmentEnd::StoppedToUndo;
    return end;
}

}  // namespace nv
