// A click on a file of the destination list continues its series: the name is
// taken apart into head name, number, digit count and extension, and the
// naming fields are set so that the next rename carries on after that file.
#pragma once

#include <QString>

namespace nv {

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

// Splits a file name (no folder). The number part is the run of ASCII digits
// at the end of the name without its extension. A name without any "." is
// taken whole as the name before an empty extension, as a name ending in "."
// would be.
ClickedNameFields SplitClickedName(const QString &name);

}  // namespace nv
