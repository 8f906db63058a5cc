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
    const QString head = Combo2->currentText();
    const qint32 start = StartNumber(Text2->text());
    const int digits = List1->currentRow();
    CopyBatchRequest request = copyRequest(true);
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
    CopyBatchRequest request = copyRequest(true);
    request.newName = PrefixNameRule(Combo2->currentText());
    if (Program.PhotoSets == 1) {
        const std::optional<SetSelection> sets = selectWholeSets(request.rows, request.selected);
        if (!sets) return;
        request.selected = sets->selected;
    }
    runCopyBatch(request);
}

// No history, no question, no progress bar: renames in place take moments.
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
    const AlignmentEnd end = AlignNumbersInFolder(m_platform.batchFiles, m_platform.dialogs, Dir1->highlightedPath(),
                                                  selected, takeAlong);
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
    CopyBatchRequest request = copyRequest(false);
    request.newName = ExtensionNameRule(extension);
    runCopyBatch(request);
}

CopyBatchRequest Form1::copyRequest(bool askOnExisting)
{
    CopyBatchRequest request;
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
    ProgressBarProgress progress(ProgressBar1);
    if (!filesChanged(CopyBatch(m_platform.batchFiles, m_platform.dialogs, progress, request))) return;
    RefreshSourceList();
    RefreshTargetList();
}

}  // namespace nv
