// SPDX-License-Identifier: GPL-3.0-or-later
// The settings files and the usage notes are text in CP932, the code page of
// the Japanese systems this program was first made for, with CR LF line ends.
// A text that CP932 cannot hold is written whole in UTF-8 with a byte-order mark
// instead, so nothing the user typed is lost. A reader takes a file that starts
// with the mark as UTF-8 and every other file as CP932, never guessing: CP932
// text such as half-width katakana is often valid UTF-8 as well.
#pragma once

#include <QByteArray>
#include <QString>

namespace nv {

QByteArray encodeText(const QString &text);
QString decodeText(const QByteArray &bytes);

}  // namespace nv
