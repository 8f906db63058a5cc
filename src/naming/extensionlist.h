// SPDX-License-Identifier: GPL-3.0-or-later
// The registered extensions offered by the extension box. The list is kept in
// case-insensitive alphabetical order; entries compare exactly, so jpg and JPG
// are two entries, and are stored as typed (no dot added, nothing trimmed).
#pragma once

#include <QString>
#include <QStringList>

namespace nv {

// The order of the list: case-insensitive, and where two entries differ only
// in letter case, the one with the smaller code points first ("JPG" before
// "jpg"), so the order never depends on the order of registration.
bool ExtensionLess(const QString &a, const QString &b);

// Adds text at its sorted place. Returns false, changing nothing, when text is
// empty or already listed; only a change is written to ListFile.ini.
bool RegisterExtension(QStringList &entries, const QString &text);

struct ExtensionDeletion {
    bool removed = false;     // an entry was removed: the extension box is emptied
    bool writeList = false;   // the list had entries: ListFile.ini is written, also when none matched
};

// Removes the first entry equal to text.
ExtensionDeletion DeleteExtension(QStringList &entries, const QString &text);

}  // namespace nv
