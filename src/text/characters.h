// SPDX-License-Identifier: GPL-3.0-or-later
// Lengths and slices of texts counted in characters, the way the naming rules
// count them. A QString holds a character outside the Basic Multilingual Plane
// (an emoji, a rare kanji) as two UTF-16 units; here it is one character and
// is never cut in half. A lone surrogate, such as a byte of a file name that
// is not UTF-8 (see platform/nativepath.h), counts as one character too.
#pragma once

#include <QString>
#include <QStringView>

namespace nv {

// The digits of numbers in names; full-width digits are text, not numbers.
inline bool isAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }

qsizetype characterCount(QStringView text);
// The first or the last n characters of text; the whole text when it is shorter.
QString leftCharacters(QStringView text, qsizetype n);
QString rightCharacters(QStringView text, qsizetype n);

}  // namespace nv
