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
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>

namespace nv {
namespace {

// How often a long run lets the window repaint itself.
constexpr qint64 kRepaintIntervalMs = 50;

// The progress bar of the window as the copy loop drives it. The run holds the
// only thread, so the window is let repaint now and then; the user's input
// waits until the run is over, so no other handler runs inside it.
class ProgressBarProgress : public BatchProgress {
public:
    explicit ProgressBarProgress(QProgressBar *bar) : m_bar(bar) {}

    void show(int maximum) override
    {
        m_bar->setRange(0, maximum);
        m_bar->setValue(0);
        m_bar->show();
        repaintWindow();
    }

    void setPosition(int position) override
    {
        m_bar->setValue(position);
        if (m_sinceRepaint.hasExpired(kRepaintIntervalMs)) repaintWindow();
    }

    void hide() override
    {
        m_bar->hide();
        m_bar->setValue(0);
    }

private:
    void repaintWindow()
    {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        m_sinceRepaint.start();
    }

    QProgressBar *m_bar;
    QElapsedTimer m_sinceRepaint;
};

}  // namespace

void Form1::Command3_Click()
{
    if (Check3->isChecked()) {
        RenameAligned();
        return;
    }
    // Recorded first, whatever happens next: the history keeps every start.
    PushHeadName(Program.HeadNameHistory, Combo2->currentText());
    runCopyBatch(
        SerialNameRule(Combo2->currentText(), StartNumber(Text2->text()), List1->currentRow(), Combo1->currentText()),
        true);
}

// The prefix addition leaves the history alone: its text is no head name of a series.
void Form1::Command6_Click() { runCopyBatch(PrefixNameRule(Combo2->currentText()), true); }

// No history, no question, no progress bar: renames in place take moments.
void Form1::RenameAligned()
{
    const QStringList rows = ListView1->rowNames();
    QStringList selected;
    for (const int row : ListView1->selectedRowNumbers()) selected.append(rows[row]);
    // A refusal renamed nothing: the selection stays for the user to mend.
    const AlignmentEnd end =
        AlignNumbersInFolder(m_platform.batchFiles, m_platform.dialogs, Dir1->highlightedPath(), selected);
    if (end == AlignmentEnd::Refused) return;
    RefreshSourceList();
    RefreshTargetList();
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
    runCopyBatch(ExtensionNameRule(extension), false);
}

void Form1::runCopyBatch(NewNameRule newName, bool askOnExisting)
{
    CopyBatchRequest request;
    request.move = Check1->isChecked();
    request.sourceFolder = Dir1->highlightedPath();
    request.destinationFolder = Dir2->highlightedPath();
    request.rows = ListView1->rowNames();
    request.selected = ListView1->selectionFlags();
    request.newName = std::move(newName);
    request.askOnExisting = askOnExisting;

    ProgressBarProgress progress(ProgressBar1);
    if (!filesChanged(CopyBatch(m_platform.batchFiles, m_platform.dialogs, progress, request))) return;
    RefreshSourceList();
    RefreshTargetList();
}

}  // namespace nv
