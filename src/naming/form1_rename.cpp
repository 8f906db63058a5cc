// SPDX-License-Identifier: GPL-3.0-or-later
// The rename button, the prefix addition and the extension replacement: every
// selected file of the source list is copied, or moved, into the destination
// folder under a serial name, under its own name behind the head name, or
// under its own name with another extension. With 桁合わせ ticked the rename
// button pads the numbers of the selected files in place instead. With option
// 5 on, the first two and the alignment take whole photo sets.
#include "app/form1.h"

#include "app/headnamehistory.h"
#include "app/pickawarecombobox.h"
#include "naming/copybatch.h"
#include "naming/digitalignment.h"
#include "naming/photosets.h"
#include "panes/filelistview.h"
#include "panes/folderlist.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>

namespace nv {
void Form1::Command3_Click()
{
    if (Check3->isChecked()) {
        RenameAligned();
        return;
    }
    // Recorded first, whatever happens next: the history keeps every start.
    PushHeadName(Program.HeadNameHistory, Combo2->currentText());
    const QString head = Combo2->currentText();
    const qint32 start = StartNumber(Text2->text());
    const int digits = List1->currentRow();
    CopyBatchRequest request = copyRequest(BatchKind::Rename, true);
    if (Program.PhotoSets != 1) {
        request.newName = SerialNameRule(head, start, digits, Combo1->currentText());
    } else {
        const std::optional<SetSelection> sets = selectWholeSets(request.rows, request.selected);
        if (!sets) return;
        request.selected = sets->selected;
        request.newName = SetSerialNameRule(*sets, request.rows, head, start, digits, Combo1->currentText());
    }
    runCopyBatch(request);
}

// The prefix addition leaves the history alone: its text is no head name of a series.
void Form1::Command6_Click()
{
    CopyBatchRequest request = copyRequest(BatchKind::Prefix, true);
    request.newName = PrefixNameRule(Combo2->currentText());
    if (Program.PhotoSets == 1) {
        const std::optional<SetSelection> sets = selectWholeSets(request.rows, request.selected);
        if (!sets) return;
        request.selected = sets->selected;
    }
    runCopyBatch(request);
}

// No history, no question.
void Form1::RenameAligned()
{
    const QStringList rows = ListView1->rowNames();
    QStringList selected;
    for (const int row : ListView1->selectedRowNumbers()) selected.append(rows[row]);
    std::optional<SetSelection> sets;
    std::function<void(AlignmentPlan &)> takeAlong;
    if (Program.PhotoSets == 1) {
        sets = selectWholeSets(rows, ListView1->selectionFlags());
        if (!sets) return;
        takeAlong = [&](AlignmentPlan &plan) { AlignFollowers(*sets, rows, plan); };
    }
    // A refusal renamed nothing: the selection stays for the user to mend.
    const QString folder = Dir1->highlightedPath();
    runInBatchState([&](const BatchRoles &roles) {
        const AlignmentEnd end = AlignNumbersInFolder(roles, folder, selected, takeAlong);
        if (end == AlignmentEnd::StoppedToUndo) undoJournal(roles, roles.journals.lastBegun());
        return end != AlignmentEnd::Refused;
    });
}

// A changed extension can leave a file that no program opens: the user
// confirms first. Without an overwrite question no file is ever replaced.
void Form1::Command4_Click()
{
    const QString extension = Combo1->currentText();
    if (extension.isEmpty()) return;
    const MessageAnswer answer = m_platform.dialogs.showMessage(
        tr("拡張子をリネームしようとしています\r\nプログラムを実行できなくなる可能性があります\r\n"
                       "拡張子のリネームをしますか？"),
        MessageButtons::OkCancel, MessageIcon::None, tr("注意"));
    if (answer != MessageAnswer::Ok) return;
    CopyBatchRequest request = copyRequest(BatchKind::Extension, false);
    request.newName = ExtensionNameRule(extension);
    runCopyBatch(request);
}

CopyBatchRequest Form1::copyRequest(BatchKind kind, bool askOnExisting)
{
    CopyBatchRequest request;
    request.kind = kind;
    request.move = Check1->isChecked();
    request.sourceFolder = Dir1->highlightedPath();
    request.destinationFolder = Dir2->highlightedPath();
    request.rows = ListView1->rowNames();
    request.selected = ListView1->selectionFlags();
    request.askOnExisting = askOnExisting;
    return request;
}

void Form1::runCopyBatch(const CopyBatchRequest &request)
{
    runInBatchState([&](const BatchRoles &roles) {
        const BatchEnd end = CopyBatch(roles, request);
        if (end == BatchEnd::StoppedToUndo) undoJournal(roles, roles.journals.lastBegun());
        return filesChanged(end);
    });
}

}  // namespace nv
