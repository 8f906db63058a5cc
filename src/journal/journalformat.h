// SPDX-License-Identifier: GPL-3.0-or-later
// The bytes of a journal: "NV2JOURNAL" and a version, then records, each its
// length, its type, its fields and a CRC-32 of type and fields. Names are
// kept as the exact bytes the system knows them by, so any name Linux holds
// comes back as it was. A journal is written in three appends at most: the
// beginning (the batch and all its steps) before the first file is touched,
// the end record after the last, and a mark when a later undo took it back.
#pragma once

#include "journal/journal.h"

#include <QByteArray>

namespace nv {

QByteArray encodeBeginning(const Journal &journal);
QByteArray encodeEnd(const std::vector<StepOutcome> &outcomes);
QByteArray encodeUndone();

// The journal the bytes hold; none where they cannot be read (cut short, a
// checksum that does not match, a newer version, records out of order).
std::optional<Journal> decodeJournal(const QByteArray &bytes);
// Whether the bytes hold an intact end record, found without reading the steps.
bool isFinishedJournal(const QByteArray &bytes);

}  // namespace nv
