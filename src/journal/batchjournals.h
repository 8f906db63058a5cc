// SPDX-License-Identifier: GPL-3.0-or-later
// The folder of batch journals: a batch's journal is written there before the
// batch touches a file and ended after its last step; the last twenty
// finished batches are kept for the undo menu, older ones removed. A journal
// that another running copy of the program holds, or that has no end record
// (a crash the start-up has not dealt with yet), is never removed.
#pragma once

#include "journal/journal.h"
#include "platform/journalfiles.h"
#include "platform/volumes.h"

#include <memory>

namespace nv {

class BatchJournals {
public:
    static constexpr int kKeptBatches = 20;

    BatchJournals(JournalFiles &files, Volumes &volumes, const QString &folder);

    // A folder of a batch as its journal records it; the volume's facts stay
    // empty where the system cannot give them.
    JournalFolder describeFolder(const QString &path);
    // How a file recorded in a folder's journal is told now: by its identity
    // only where inodes are stable and the volume is the one of the journal,
    // mounted at the same place.
    Recognition recognitionIn(const JournalFolder &folder);

    // Writes the beginning of a journal, durable before it returns; the batch
    // may touch its first file only once this succeeded. The refusal names
    // the journal folder and the system's reason.
    FsResult<std::unique_ptr<OpenJournal>> begin(const Journal &journal);
    // The journal that begin() wrote last, so that a batch stopped part way
    // can be taken back at once.
    QString lastBegun() const { return m_lastBegun; }
    // Appends the end record, then removes the finished journals beyond the last twenty.
    FsStatus finish(OpenJournal &journal, const std::vector<StepOutcome> &outcomes);
    // Marks a finished journal as taken back, so that it is not offered again.
    FsStatus markUndone(const QString &path);

    struct Found {
        QString path;
        Journal journal;
    };
    // The journal at path; none where it cannot be read.
    std::optional<Journal> read(const QString &path);
    // The newest finished batch that was not taken back and changed a file;
    // none where there is no such batch.
    std::optional<Found> newestUndoable();
    // The journals that a crash left without an end record and no running copy
    // holds, oldest first. Those that cannot be read are set aside, each
    // named in cannotRead.
    std::vector<Found> unfinished(QStringList &cannotRead);

    JournalFiles &files() { return m_files; }
    QString folder() const { return m_folder; }

private:
    void prune();

    JournalFiles &m_files;
    Volumes &m_volumes;
    QString m_folder;
    QString m_lastBegun;
};

// The number of steps of a batch that landed.
int landedCount(const std::vector<StepOutcome> &outcomes);

}  // namespace nv
