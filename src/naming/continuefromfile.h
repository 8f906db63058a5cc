// SPDX-License-Identifier: GPL-3.0-or-later
// A click on a file of the destination list continues its series: the name is
// taken apart into head name, number, digit count and extension, and the
// naming fields are set so that the next rename carries on after that file.
#pragma once

#include <QString>

#include <optional>

namespace nv {

// The last entry of the digit list: no digit count goes beyond it.
constexpr int kMostDigits = 15;

// A file name (no folder) taken apart. The number is the run of ASCII digits
// at the end of the name without its extension. A name without any "." is
// taken whole as the name before an empty extension, as a name ending in "."
// would be. The views point into the name that was split.
struct NumberedName {
    QStringView headName;    // what stands before the number
    QStringView digits;      // the number as written, leading zeros kept; empty when none
    QStringView extension;   // after the last ".", spelled as in the name
};

NumberedName SplitNumberedName(QStringView name);

// The value of a run of ASCII digits (an empty run reads 0) when the number
// after it still fits the first-number field, whose largest value is
// 2147483647; std::nullopt otherwise, as no rename can continue from there.
std::optional<qint32> ContinuableValue(QStringView digits);

// What the click writes, in the order the controls are written:
// Combo1 <- extension; List1 <- digitCount; List1 again <- 0 when
// digitCountAgainZero; then, unless stopsAfterDigitCount, Text2 <- numberText,
// Combo2 <- headName. Each write refreshes the preview.
struct ClickedNameFields {
    QString extension;                 // after the last ".", spelled as in the name
    int digitCount = 0;                // length of the number part, at most 15
    bool digitCountAgainZero = false;  // no number, or a number of zeros only
    bool stopsAfterDigitCount = false; // the next number would pass 2147483647
    QString numberText;                // the next number in plain decimal; empty when none
    QString headName;                  // what stands before the number part
};

// The fields for a clicked file name, split as SplitNumberedName does.
ClickedNameFields SplitClickedName(const QString &name);

}  // namespace nv
