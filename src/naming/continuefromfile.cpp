// SPDX-License-Identifier: GPL-3.0-or-later
#include "naming/continuefromfile.h"

#include "text/characters.h"

#include <algorithm>
#include <limits>

namespace nv {

NumberedName SplitNumberedName(QStringView name)
{
    const qsizetype lastDot = name.lastIndexOf(QLatin1Char('.'));
    const QStringView base = lastDot < 0 ? name : name.left(lastDot);
    qsizetype numberStart = base.size();
    while (numberStart > 0 && isAsciiDigit(base[numberStart - 1])) --numberStart;
    return {base.left(numberStart), base.mid(numberStart), lastDot < 0 ? QStringView() : name.mid(lastDot + 1)};
}

std::optional<qint32> ContinuableValue(QStringView digits)
{
    while (digits.startsWith(u'0')) digits = digits.mid(1);
    if (digits.size() > 10) return std::nullopt;
    // Read by hand: the scan reads every name of a large folder this way.
    qint64 value = 0;
    for (const QChar digit : digits) value = value * 10 + (digit.unicode() - u'0');
    if (value >= std::numeric_limits<qint32>::max()) return std::nullopt;
    return qint32(value);
}

ClickedNameFields SplitClickedName(const QString &name)
{
    ClickedNameFields fields;
    const NumberedName parts = SplitNumberedName(name);
    fields.extension = parts.extension.toString();
    fields.digitCount = int(std::min<qsizetype>(parts.digits.size(), kMostDigits));

    const std::optional<qint32> value = ContinuableValue(parts.digits);
    if (!value) {
        fields.stopsAfterDigitCount = true;
        return fields;
    }
    fields.headName = parts.headName.toString();
    if (*value == 0) fields.digitCountAgainZero = true;
    else fields.numberText = QString::number(*value + 1);
    return fields;
}

}  // namespace nv
