// SPDX-License-Identifier: GPL-3.0-or-later
// The files of the batch journals: one folder of them, each journal written
// before its batch touches a file and kept locked while the batch runs, so
// that after a crash the program finds what was going on, and a second
// running copy of the program leaves a batch in progress alone. What a
// journal says is the journal's own business: here it is bytes.
#pragma once

#include "platform/fsstatus.h"
#include "platform/paths.h"

#include <QByteArray>
#include <QStringList>

#include <memory>

namespace nv {

// A journal this run holds: locked until it is destroyed, which closes it.
class OpenJournal {
public:
    virtual ~OpenJournal() = default;

    virtual QString path() const = 0;
    // Adds bytes at the end and makes them durable before it returns: the
    // file synced, and at the first append of a new journal its folder too,
    // so that the journal is found after a power failure. A full disk or a
    // read-only folder fails with the system's reason.
    virtual FsStatus append(const QByteArray &bytes) = 0;
};

class JournalFiles {
public:
    virtual ~JournalFiles() = default;

    // Creates an empty journal in folder under a name no other journal has
    // (created exclusively; names sort in the order the journals were made)
    // and locks it. Makes the folder, for its user alone, where it is missing.
    virtual FsResult<std::unique_ptr<OpenJournal>> createJournal(const QString &folder) = 0;
    // Opens an existing journal to add to it and locks it; fails at once,
    // without waiting, where another holder has it locked.
    virtual FsResult<std::unique_ptr<OpenJournal>> openJournal(const QString &path) = 0;
    // The paths of the journals of a folder, oldest first; none where the
    // folder does not exist yet. Journals set aside are not listed.
    virtual FsResult<QStringList> listJournals(const QString &folder) = 0;
    virtual FsResult<QByteArray> readJournal(const QString &path) = 0;
    // Whether a journal is locked now, by another running copy of the program
    // or by an OpenJournal of this one.
    virtual FsResult<bool> isJournalLocked(const QString &path) = 0;
    // Removes a journal; fails where it is locked.
    virtual FsStatus removeJournal(const QString &path) = 0;
    // Renames a journal that cannot be read to a name that marks it so and is
    // never listed again (<name>.damaged), and gives that path; fails where
    // it is locked.
    virtual FsResult<QString> setJournalAside(const QString &path) = 0;
};

}  // namespace nv
