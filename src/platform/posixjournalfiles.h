// SPDX-License-Identifier: GPL-3.0-or-later
// The batch journals on Linux: plain files named by a sequence number, locked
// with flock while a run holds them.
#pragma once

#include "platform/journalfiles.h"

namespace nv {

class PosixJournalFiles : public JournalFiles {
public:
    FsResult<std::unique_ptr<OpenJournal>> createJournal(const QString &folder) override;
    FsResult<std::unique_ptr<OpenJournal>> openJournal(const QString &path) override;
    FsResult<QStringList> listJournals(const QString &folder) override;
    FsResult<QByteArray> readJournal(const QString &path) override;
    FsResult<bool> isJournalLocked(const QString &path) override;
    FsStatus removeJournal(const QString &path) override;
    FsResult<QString> setJournalAside(const QString &path) override;
};

}  // namespace nv
