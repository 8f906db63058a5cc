// SPDX-License-Identifier: GPL-3.0-or-later
// How a new file name is made from the naming fields, and how the fields read
// a number from text.
#pragma once

#include <QString>

#include <functional>
#include <optional>

namespace nv {

// The numeric value of a text, read from its start: blanks, tabs and line feeds
// are dropped from the whole text first; then an optional sign, digits, an
// optional fraction after a full stop and an optional exponent (E or D, either
// case). Reading stops at the first character that cannot continue the number;
// a text that does not begin with one reads as 0. Too large a value reads as an
// infinity.
double NumericValue(const QString &text);

// NumericValue rounded to the nearest integer, a half going to the even
// neighbour. A value beyond the 32-bit range gives the nearest end of it
// (2147483647 or -2147483648), so a huge typed number still renames.
qint32 StartNumber(const QString &text);

// A name + "." + extension; with an empty extension the name alone, without
// the dot that no program expects at the end of a name on Linux.
QString WithExtension(const QString &name, const QString &extension);

// head + number padded with zeros to `digits` characters, then the extension
// as WithExtension adds it. Number 0 gives head alone with no digits; a number
// longer than `digits` is never cut, and the minus sign counts as a character.
QString ComposeNewName(const QString &head, qint32 number, int digits, const QString &extension);

// What the preview shows for the current field texts.
struct NamePreview {
    QString caption;    // for Label5
    QString headName;   // the head-name text with a trailing CR LF removed
};

// The preview is exactly the name that the rename gives the first selected
// file: ComposeNewName of the head name (a trailing CR LF removed), the
// StartNumber of the number text, the digit count and the extension, so "007"
// with three digits previews head007 as it renames.
// digitIndex is the selected row of the digit list, -1 when none is selected.
NamePreview ComposePreview(const QString &numberText, const QString &headText, const QString &extensionText,
                           int digitIndex);

// Maps a selected file's old name to its new name; std::nullopt when no name
// can be made for it (the serial numbers have run past 2147483647).
using NewNameRule = std::function<std::optional<QString>(const QString &oldName)>;

// The rule of the batch rename: the k-th call (counted from 0) gives
// ComposeNewName(head, start + k, digits, extension). It counts its calls, so
// the copy loop calls it once for each selected file, in list order.
NewNameRule SerialNameRule(const QString &head, qint32 start, int digits, const QString &extension);

// The rule of the prefix addition: prefix + the whole old name, extension included.
NewNameRule PrefixNameRule(const QString &prefix);

// The rule of the extension replacement: the old name in front of its last "."
// with the extension (photo.2001.jpg to photo.2001.png). A name without a "."
// keeps all of itself in front of the new extension (README to README.png).
NewNameRule ExtensionNameRule(const QString &extension);

}  // namespace nv
