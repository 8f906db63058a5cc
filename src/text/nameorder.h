// SPDX-License-Identifier: GPL-3.0-or-later
// The order in which the file lists show names, and so the order in which
// "select all, rename" numbers the photos: names folded to upper case compare
// by code point; names that fold alike (a.JPG, a.jpg) by their own code points.
// Folding to upper case rather than lower case puts DSCF0001 before DSC_0001
// ("F" stands before "_" in code point order, "f" after it), the order that
// users of the system this program was first made for know from their file
// lists. Code point order, not UTF-16 order, puts U+FF5E before an emoji.
#pragma once

#include <QStringList>

#include <vector>

namespace nv {

// The positions of texts in name order: result[i] is the position in texts of
// the i-th text in that order. Equal texts keep their relative order. Each
// text is folded once, so ordering a hundred thousand names stays cheap.
std::vector<qsizetype> nameOrder(const QStringList &texts, Qt::SortOrder order = Qt::AscendingOrder);

}  // namespace nv
