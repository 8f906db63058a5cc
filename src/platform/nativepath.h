// SPDX-License-Identifier: GPL-3.0-or-later
// File names on Linux are bytes, and not every name is valid UTF-8 (cards
// written by cameras or by other systems). To keep such names reachable, the
// bytes that are not part of valid UTF-8 are carried in QStrings as the lone
// surrogates U+DC80..U+DCFF, one per byte, and turned back into the same bytes
// on the way to the system. Valid UTF-8 maps as usual; a low surrogate that
// completes a surrogate pair is half of a real character (an emoji), never a
// carried byte.
#pragma once

#include <QByteArray>
#include <QString>

class QFile;

namespace nv {

QString fromNativeName(const char *bytes, qsizetype length);
inline QString fromNativeName(const QByteArray &bytes) { return fromNativeName(bytes.constData(), bytes.size()); }
QByteArray toNativeName(const QString &text);
// Opens a file for reading through the exact bytes of its name.
bool openByNativeName(const QString &path, QFile &file);

}  // namespace nv
