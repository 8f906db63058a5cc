// The rename button, the prefix addition and the extension replacement: every
// selected file of the source list is copied, or moved, into the destination
// folder under a serial name, under its own name behind the head name, or
// under its own name with another extension. With 桁合わせ ticked the rename
// button pads the numbers of the selected files in place instead.
#include "app/form1.h"

#include "app/headnamehistory.h"
#include "app/pickawarecombobox.h"
#include "naming/copybatch.h"
#include "naming/digitalignment.h"
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
    runCopyBatch(
        BatchKind::Rename, SerialNameRule(Combo2->currentText(), StartNumber(Text2->text()), List1->currentRow(), Combo1->currentText()),
        true);
}

// The prefix addition leaves the history alone: its text is no head name of a series.
void Form1::Command6_Click() { runCopyBatch(BatchKind::Prefix, PrefixNameRule(Combo2->currentText()), true); }

// No history, no question.
void Form1::RenameAligned()
{
    const QStringList rows = ListView1->rowNames();
    QStringList selected;
    for (const int row : ListView1->selectedRowNumbers()) selected.append(rows[row]);
    // A refusal renamed nothing: the selection stays for the user to mend.
    const QString folder = Dir1->highlightedPath();
    runInBatchState([&](const BatchRoles &roles) {
        const AlignmentEnd end = AlignNumbersInFolder(roles, folder, selected);
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
        QStringLiteral("拡張子をリネームしようとしています\r\nプログラムを実行できなくなる可能性があります\r\n"
                       "拡張子のリネームをしますか？"),
        MessageButtons::OkCancel, MessageIcon::None, QStringLiteral("注意"));
    if (answer != MessageAnswer::Ok) return;
    runCopyBatch(BatchKind::Extension, ExtensionNameRule(extension), false);
}

void Form1::runCopyBatch(BatchKind kind, NewNameRule newName, bool askOnExisting)
{
    CopyBatchRequest request;
    request.kind = kind;
    request.move = Check1->isChecked();
    request.sourceFolder = Dir1->highlightedPath();
    request.destinationFolder = Dir2->highlightedPath();
    request.rows = ListView1->rowNames();
    request.selected = ListView1->selectionFlags();
    request.newName = std::move(newName);
    request.askOnExisting = askOnExisting;

    runInBatchState([&](const BatchRoles &roles) {
        const BatchEnd end = CopyBatch(roles, request);
        if (end == BatchEnd::StoppedToUndo) undoJournal(roles, roles.journals.lastBegun());
        return filesChanged(end);
    });
}

}  // namespace nv
