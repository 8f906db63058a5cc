// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/characters.h"

namespace nv {
namespace {

// Whether the units at i and i + 1 make one character.
bool pairStartsAt(QStringView text, qsizetype i)
{
    return i + 1 < text.size() && text[i].isHighSurrogate() && text[i + 1].isLowSurrogate();
}

// The number of units that the first n characters take.
qsizetype unitsOfFirst(QStringView text, qsizetype n)
{
    qsizetype units = 0;
    for (; n > 0 && units < text.size(); --n) units += pairStartsAt(text, units) ? 2 : 1;
    return units;
}

// The number of units that the last n characters take.
qsizetype unitsOfLast(QStringView text, qsizetype n)
{
    qsizetype units = 0;
    for (; n > 0 && units < text.size(); --n) {
        const qsizetype last = text.size() - units - 1;
        units += last > 0 && pairStartsAt(text, last - 1) ? 2 : 1;
    }
    return units;
}

}  // namespace

qsizetype characterCount(QStringView text)
{
    qsizetype count = 0;
    for (qsizetype i = 0; i < text.size(); i += pairStartsAt(text, i) ? 2 : 1) ++count;
    return count;
}

QString leftCharacters(QStringView text, qsizetype n) { return text.left(unitsOfFirst(text, n)).toString(); }

QString rightCharacters(QStringView text, qsizetype n) { return text.right(unitsOfLast(text, n)).toString(); }

}  // namespace nv
