// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/batchjournals.h"

#include "journal/journalformat.h"

#include <algorithm>

namespace nv {

int Journal::doneCount() const { return outcomes ? landedCount(*outcomes) : 0; }

int landedCount(const std::vector<StepOutcome> &outcomes)
{
    return int(std::count_if(outcomes.begin(), outcomes.end(), [](const StepOutcome &step) { return step.landed; }));
}

BatchJournals::BatchJournals(JournalFiles &files, Volumes &volumes, const QString &folder)
    : m_files(files), m_volumes(volumes), m_folder(folder)
{
}

JournalFolder BatchJournals::describeFolder(const QString &path)
{
    JournalFolder folder;
    folder.path = path;
    const FsResult<VolumeFacts> facts = m_volumes.volumeFacts(path);
    if (facts.ok()) {
        folder.mountRoot = facts.value.mountRoot;
        folder.uuid = facts.value.uuid;
        folder.stableInodes = facts.value.stableInodes;
        folder.foldsLetterCase = facts.value.foldsLetterCase;
    } else {
        folder.stableInodes = false;   // nothing tells the inodes can be trusted
    }
    return folder;
}

Recognition BatchJournals::recognitionIn(const JournalFolder &folder)
{
    const JournalFolder now = describeFolder(folder.path);
    const bool sameMount = now.mountRoot == folder.mountRoot && now.uuid == folder.uuid;
    return folder.stableInodes && now.stableInodes && sameMount ? Recognition::ByIdentity
                                                                : Recognition::ByNameSizeAndTime;
}

FsResult<std::unique_ptr<OpenJournal>> BatchJournals::begin(const Journal &journal)
{
    FsResult<std::unique_ptr<OpenJournal>> created = m_files.createJournal(m_folder);
    if (!created.ok()) return created;
    const FsStatus written = created.value->append(encodeBeginning(journal));
    if (!written.ok()) {
        const QString path = created.value->path();
        created.value.reset();   // unlocked, so that it can go
        m_files.removeJournal(path);
        return {nullptr, written};
    }
    m_lastBegun = created.value->path();
    return created;
}

FsStatus BatchJournals::finish(OpenJournal &journal, const std::vector<StepOutcome> &outcomes)
{
    const FsStatus written = journal.append(encodeEnd(outcomes));
    prune();
    return written;
}

FsStatus BatchJournals::markUndone(const QString &path)
{
    FsResult<std::unique_ptr<OpenJournal>> opened = m_files.openJournal(path);
    if (!opened.ok()) return opened.status;
    return opened.value->append(encodeUndone());
}

std::optional<Journal> BatchJournals::read(const QString &path)
{
    const FsResult<QByteArray> bytes = m_files.readJournal(path);
    return bytes.ok() ? decodeJournal(bytes.value) : std::nullopt;
}

std::optional<BatchJournals::Found> BatchJournals::newestUndoable()
{
    const FsResult<QStringList> paths = m_files.listJournals(m_folder);
    for (auto path = paths.value.crbegin(); path != paths.value.crend(); ++path) {
        std::optional<Journal> journal = read(*path);
        if (!journal || journal->kind == BatchKind::Undo || journal->undone || journal->doneCount() == 0) continue;
        return Found{*path, std::move(*journal)};
    }
    return std::nullopt;
}

std::vector<BatchJournals::Found> BatchJournals::unfinished(QStringList &cannotRead)
{
    std::vector<Found> found;
    const FsResult<QStringList> paths = m_files.listJournals(m_folder);
    for (const QString &path : paths.value) {
        const FsResult<bool> locked = m_files.isJournalLocked(path);
        if (!locked.ok() || locked.value) continue;
        const FsResult<QByteArray> bytes = m_files.readJournal(path);
        if (!bytes.ok()) continue;
        if (bytes.value.isEmpty()) {   // made, but its batch never began: nothing was touched
            m_files.removeJournal(path);
            continue;
        }
        if (isFinishedJournal(bytes.value)) continue;
        std::optional<Journal> journal = decodeJournal(bytes.value);
        if (!journal) {
            const FsResult<QString> aside = m_files.setJournalAside(path);
            cannotRead.append(aside.ok() ? aside.value : path);
        } else if (!journal->outcomes) {
            found.push_back({path, std::move(*journal)});
        }
    }
    return found;
}

// Newest first: the first twenty finished journals stay, and so does every
// journal that is not finished or that someone holds.
void BatchJournals::prune()
{
    const FsResult<QStringList> paths = m_files.listJournals(m_folder);
    int finished = 0;
    for (auto path = paths.value.crbegin(); path != paths.value.crend(); ++path) {
        const FsResult<QByteArray> bytes = m_files.readJournal(*path);
        if (!bytes.ok() || !isFinishedJournal(bytes.value)) continue;
        if (++finished <= kKeptBatches) continue;
        m_files.removeJournal(*path);   // fails where it is locked, and it stays
    }
}

}  // namespace nv
