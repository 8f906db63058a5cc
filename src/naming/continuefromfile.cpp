#include "naming/continuefromfile.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace nv {
namespace {

constexpr int kMostDigits = 15;   // the last entry of the digit list

bool isAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// The value of a run of ASCII digits, or nullopt when it is no 32-bit number.
std::optional<qint64> valueOfDigits(QStringView digits)
{
    while (digits.startsWith(u'0')) digits = digits.mid(1);
    if (digits.size() > 10) return std::nullopt;
    const qint64 value = digits.isEmpty() ? 0 : digits.toLongLong();
    if (value > std::numeric_limits<qint32>::max()) return std::nullopt;
    return value;
}

}  // namespace

ClickedNameFields SplitClickedName(const QString &name)
{
    ClickedNameFields fields;
    const qsizetype lastDot = name.lastIndexOf(QLatin1Char('.'));
    const QString base = lastDot < 0 ? name : name.left(lastDot);
    fields.extension = lastDot < 0 ? QString() : name.mid(lastDot + 1);

    qsizetype numberStart = base.size();
    while (numberStart > 0 && isAsciiDigit(base[numberStart - 1])) --numberStart;
    const QStringView digits = QStringView(base).mid(numberStart);
    fields.digitCount = int(std::min<qsizetype>(digits.size(), kMostDigits));

    const std::optional<qint64> value = valueOfDigits(digits);
    if (!value || *value == std::numeric_limits<qint32>::max()) {
        fields.stopsAfterDigitCount = true;
        return fields;
    }
    fields.headName = base.left(numberStart);
    if (*value == 0) fields.digitCountAgainZero = true;
    else fields.numberText = QString::number(*value + 1);
    return fields;
}

}  // namespace nv
