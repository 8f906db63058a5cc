// SPDX-License-Identifier: GPL-3.0-or-later
// The cost of a batch's journal and the speed of its undo, driving the copy
// loop directly so that the window's noise does not hide a few per cent:
//   a journaled move of 2 000 files of 1 MiB within one file system and a
//   journaled copy of 20 000 small files, each at most 1.05 x the same batch
//   without its journal (the batch's time against that time less the time
//   spent writing the journal and reading the sources' versions for it);
//   the undo of that move, at most 2 x mv of the files back.
#include "journal/undo.h"
#include "naming/copybatch.h"
#include "platform/posixjournalfiles.h"
#include "platform/posixplatform.h"
#include "platform/posixtrash.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace {

class QuietDialogs : public nv::Dialogs {
public:
    nv::MessageAnswer showMessage(const QString &, nv::MessageButtons, nv::MessageIcon, const QString &) override
    {
        return nv::MessageAnswer::Ok;
    }
    void setBusyPointer(bool) override {}
    void letEventsRun() override {}
};

class NoProgress : public nv::BatchProgress {
public:
    void show(int) override {}
    void setPosition(int) override {}
    void hide() override {}
    bool stopRequested() override { return false; }
};

// The journal's own work, timed: making, writing (each append synced) and
// reading journals.
class TimedJournal : public nv::OpenJournal {
public:
    TimedJournal(std::unique_ptr<nv::OpenJournal> journal, qint64 &ns) : m_journal(std::move(journal)), m_ns(ns) {}
    QString path() const override { return m_journal->path(); }
    nv::FsStatus append(const QByteArray &bytes) override
    {
        QElapsedTimer clock;
        clock.start();
        const nv::FsStatus status = m_journal->append(bytes);
        m_ns += clock.nsecsElapsed();
        return status;
    }

private:
    std::unique_ptr<nv::OpenJournal> m_journal;
    qint64 &m_ns;
};

class TimedJournalFiles : public nv::PosixJournalFiles {
public:
    qint64 ns = 0;
    nv::FsResult<std::unique_ptr<nv::OpenJournal>> createJournal(const QString &folder) override
    {
        QElapsedTimer clock;
        clock.start();
        auto made = PosixJournalFiles::createJournal(folder);
        ns += clock.nsecsElapsed();
        if (made.ok()) made.value = std::make_unique<TimedJournal>(std::move(made.value), ns);
        return made;
    }
    nv::FsResult<QByteArray> readJournal(const QString &path) override
    {
        QElapsedTimer clock;
        clock.start();
        auto read = PosixJournalFiles::readJournal(path);
        ns += clock.nsecsElapsed();
        return read;
    }
};

// Times the batch, and within it the journal's folder and the versions its steps record.
struct Timed {
    double batchSeconds;
    double journalSeconds;
};

Timed runBatch(const QString &from, const QString &to, int count, bool move, const QString &journalFolder)
{
    nv::PosixBatchFiles files;
    QuietDialogs dialogs;
    nv::PosixTrash trash;
    nv::PosixVolumes volumes;
    TimedJournalFiles journalFiles;
    nv::BatchJournals journals(journalFiles, volumes, journalFolder);
    NoProgress progress;
    QStringList rows;
    for (int i = 0; i < count; ++i) rows << QStringLiteral("src%1.jpg").arg(i, 5, 10, QLatin1Char('0'));
    nv::CopyBatchRequest request{from, to, rows, std::vector<bool>(size_t(count), true),
                                 [](const QString &name) { return std::optional(QStringLiteral("n") + name); }, true, move};
    QElapsedTimer clock;
    clock.start();
    nv::CopyBatch({files, dialogs, trash, journals, progress}, request);
    const double batch = clock.nsecsElapsed() / 1e9;
    // The versions recorded per step: one stat of each source, timed apart.
    clock.start();
    for (const QString &row : rows) files.fileVersion(to + QStringLiteral("n") + row);
    const double versions = clock.nsecsElapsed() / 1e9;
    return {batch, versions + journalFiles.ns / 1e9};
}

void makeFiles(const QString &folder, int count, qint64 size)
{
    const QByteArray bytes(size, 'x');
    for (int i = 0; i < count; ++i) {
        QFile file(folder + QStringLiteral("src%1.jpg").arg(i, 5, 10, QLatin1Char('0')));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != size) std::exit(1);
    }
}

void report(const char *what, double ratio, double goal)
{
    std::printf("%-58s %6.3f x (goal <= %.2f x) %s\n", what, ratio, goal, ratio <= goal ? "MET" : "MISSED");
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    QTemporaryDir work(QDir::currentPath() + QStringLiteral("/journal-bench-XXXXXX"));
    const QString root = work.path() + QLatin1Char('/');
    for (const auto &[what, count, size, move] :
         {std::tuple{"journaled move of 2 000 x 1 MiB, one file system", 2000, qint64(1) << 20, true},
          std::tuple{"journaled copy of 20 000 small files", 20000, qint64(100), false}}) {
        const QString from = root + QStringLiteral("from%1/").arg(count);
        const QString to = root + QStringLiteral("to%1/").arg(count);
        QDir().mkpath(from);
        QDir().mkpath(to);
        makeFiles(from, count, size);
        const Timed timed = runBatch(from, to, count, move, root + QStringLiteral("journal/"));
        report(what, timed.batchSeconds / (timed.batchSeconds - timed.journalSeconds), 1.05);
        if (!move) continue;
        // The undo of the move against mv of the same files back.
        nv::PosixBatchFiles files;
        QuietDialogs dialogs;
        nv::PosixTrash trash;
        nv::PosixVolumes volumes;
        nv::PosixJournalFiles journalFiles;
        nv::BatchJournals journals(journalFiles, volumes, root + QStringLiteral("journal/"));
        NoProgress progress;
        const auto newest = journals.newestUndoable();
        QElapsedTimer clock;
        clock.start();
        nv::UndoBatch({files, dialogs, trash, journals, progress}, newest->path, newest->journal, *newest->journal.outcomes);
        const double undo = clock.nsecsElapsed() / 1e9;
        clock.start();
        const QByteArray back = "cd '" + to.toUtf8() + "' && for f in n*; do mv -n \"$f\" '" + from.toUtf8() + "'\"${f#n}\"; done";
        if (std::system(("cd '" + from.toUtf8() + "' && for f in src*; do mv -n \"$f\" '" + to.toUtf8() + "'n\"$f\"; done").constData()) != 0) return 1;
        clock.start();
        if (std::system(back.constData()) != 0) return 1;
        const double mvBack = clock.nsecsElapsed() / 1e9;
        std::printf("undo %.3f s, mv back %.3f s\n", undo, mvBack);
        report("undo of that move against mv of the files back", undo / mvBack, 2.0);
    }
    return 0;
}
