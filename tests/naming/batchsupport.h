// SPDX-License-Identifier: GPL-3.0-or-later
// What the tests of the copy loop share: folder contents, a recorded progress
// bar and requests built from a few names.
#pragma once

#include "naming/copybatch.h"
#include "testplatform.h"

#include <QDir>
#include <QFile>
#include <QMap>

namespace nv {

using Files = QMap<QString, QByteArray>;

// Every file of a folder with its content, hidden ones included, so that a
// temporary or probe file left behind shows up too. Pipes are left out: reading
// one would wait for a writer.
inline Files snapshot(const QString &folder)
{
    Files files;
    const QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden)) {
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::ReadOnly)) files.insert(name, file.readAll());
    }
    return files;
}

class RecordingProgress : public BatchProgress {
public:
    QStringList calls;
    bool shown = false;
    int position = 0;

    void show(int maximum) override
    {
        calls << QStringLiteral("show %1").arg(maximum);
        shown = true;
        position = 0;
    }
    void setPosition(int value) override
    {
        calls << QStringLiteral("position %1").arg(value);
        position = value;
    }
    void hide() override
    {
        calls << QStringLiteral("hide");
        shown = false;
        position = 0;
    }
    bool stopRequested() override { return stopAt >= 0 && position >= stopAt; }
    int stopAt = -1;   // the bar's position from which a stop is asked
};

// The calls of a run that walked every row: show, one position per row, hide.
inline QStringList walkedRows(int rows, bool hidden = true)
{
    QStringList calls{QStringLiteral("show %1").arg(rows)};
    for (int row = 1; row <= rows; ++row) calls << QStringLiteral("position %1").arg(row);
    if (hidden) calls << QStringLiteral("hide");
    return calls;
}

inline NewNameRule renameBy(const QMap<QString, QString> &newNames)
{
    return [newNames](const QString &oldName) -> std::optional<QString> { return newNames.value(oldName); };
}

// Every row selected.
inline CopyBatchRequest request(const QString &from, const QString &to, const QStringList &rows, NewNameRule rule,
                                bool move, bool ask = true)
{
    return {from, to, rows, std::vector<bool>(size_t(rows.size()), true), std::move(rule), ask, move};
}

}  // namespace nv

namespace nv {

// A batch over the test platform, its journals in the platform's journal folder.
inline BatchEnd runBatch(TestPlatform &platform, BatchProgress &progress, const CopyBatchRequest &request)
{
    BatchJournals journals(platform, platform, platform.journalFolder());
    return CopyBatch({platform, platform, platform, journals, progress}, request);
}

}  // namespace nv
