// SPDX-License-Identifier: GPL-3.0-or-later
// The messages of a batch: lines naming files, and the question after a stop.
#pragma once

#include "platform/dialogs.h"

#include <QStringList>

namespace nv {

// Lines naming files, for one message: the first twenty, then a count.
class BatchReport {
public:
    void add(const QString &oldName, const QString &newName, const QString &reason);
    void addFile(const QString &name, const QString &reason);
    bool isEmpty() const { return m_lines.isEmpty(); }
    QString text() const;

private:
    QStringList m_lines;
};

// A NUL character would cut the text of a message box short.
QString shownName(QString name);
void tell(Dialogs &dialogs, const QString &text);
// After a stop: how many of how many files were done, what was left undone,
// and whether to take back what was done (いいえ, keeping it, is the default).
bool AskUndoAfterStop(Dialogs &dialogs, int done, int total, const QString &details);

}  // namespace nv
