// SPDX-License-Identifier: GPL-3.0-or-later
// The window's side of batches: the batch state, in which only the stop acts,
// and the undo item of the edit menu.
#include "app/form1.h"

#include "app/batchsession.h"
#include "journal/recovery.h"
#include "journal/undo.h"

#include <QAction>
#include <QCoreApplication>
#include <QProgressDialog>

#include <utility>

namespace nv {
namespace {

// Recovery comes before the window: it shows its progress in a box of its own, with 中止.
class RecoveryProgress : public BatchProgress {
public:
    RecoveryProgress() : m_box(QCoreApplication::translate("RecoveryProgress", "前回の処理を元に戻しています…"),
              QCoreApplication::translate("RecoveryProgress", "中止"), 0, 0)
    {
        m_box.setWindowTitle(kApplicationTitle);
        m_box.setMinimumDuration(0);
        m_box.setAutoClose(false);
        m_box.setAutoReset(false);
    }
    void show(int maximum) override
    {
        m_box.setMaximum(maximum);
        m_box.setValue(0);
        m_box.show();
        QCoreApplication::processEvents();
    }
    void setPosition(int position) override { m_box.setValue(position); }
    void hide() override { m_box.hide(); }
    bool stopRequested() override
    {
        QCoreApplication::processEvents();
        return m_box.wasCanceled();
    }

private:
    QProgressDialog m_box;
};

}  // namespace

void Form1::RecoverUnfinishedBatches()
{
    RecoveryProgress progress;
    nv::RecoverUnfinishedBatches({m_platform.batchFiles, m_platform.dialogs, m_platform.trash, m_journals, progress});
}

void Form1::runInBatchState(const std::function<bool(const BatchRoles &)> &batch)
{
    bool filesChanged = false;
    bool closeAsked = false;
    {
        BatchSession session(this, ProgressBar1, cmdStop);
        m_batchRunning = true;
        filesChanged = batch({m_platform.batchFiles, m_platform.dialogs, m_platform.trash, m_journals, session});
        m_batchRunning = false;
        closeAsked = session.closeAsked();
    }
    if (filesChanged) {
        RefreshSourceList();
        RefreshTargetList();
    }
    updateUndoAction();
    for (const QString &text : std::exchange(m_textsDuringBatch, {})) MessageHook(text);
    if (closeAsked) close();
}

void Form1::undoJournal(const BatchRoles &roles, const QString &path)
{
    const std::optional<Journal> journal = roles.journals.read(path);
    if (journal && journal->outcomes) UndoBatch(roles, path, *journal, *journal->outcomes);
}

void Form1::updateUndoAction()
{
    std::optional<BatchJournals::Found> newest;
    {
        const BusyPointer busy(m_platform.dialogs);
        newest = m_journals.newestUndoable();
    }
    mnuUndo->setEnabled(newest.has_value());
    mnuUndo->setText(newest ? tr("元に戻す(&U): %1 %2 件")
                                  .arg(BatchKindName(newest->journal.kind))
                                  .arg(newest->journal.doneCount())
                            : tr("元に戻す(&U)"));
}

void Form1::mnuUndo_Click()
{
    const std::optional<BatchJournals::Found> newest = m_journals.newestUndoable();
    if (!newest) return;
    const MessageAnswer answer = m_platform.dialogs.showMessage(
        tr("%1 件の処理を元に戻します。よろしいですか？").arg(newest->journal.doneCount()),
        MessageButtons::OkCancel, MessageIcon::None);
    if (answer != MessageAnswer::Ok) return;
    runInBatchState([&](const BatchRoles &roles) {
        UndoBatch(roles, newest->path, newest->journal, *newest->journal.outcomes);
        return true;
    });
}

}  // namespace nv
