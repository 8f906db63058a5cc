// SPDX-License-Identifier: GPL-3.0-or-later
#include "naming/extensionlist.h"

#include <algorithm>

namespace nv {

bool ExtensionLess(const QString &a, const QString &b)
{
    const int folded = a.compare(b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
}

bool RegisterExtension(QStringList &entries, const QString &text)
{
    if (text.isEmpty() || entries.contains(text)) return false;
    entries.insert(std::upper_bound(entries.begin(), entries.end(), text, ExtensionLess), text);
    return true;
}

ExtensionDeletion DeleteExtension(QStringList &entries, const QString &text)
{
    ExtensionDeletion deletion;
    if (entries.isEmpty()) return deletion;
    deletion.writeList = true;
    const qsizetype found = entries.indexOf(text);
    if (found >= 0) {
        entries.removeAt(found);
        deletion.removed = true;
    }
    return deletion;
}

}  // namespace nv
