// SPDX-License-Identifier: GPL-3.0-or-later
#include "naming/namecomposer.h"

#include "text/characters.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace nv {
namespace {

bool isSign(QChar c) { return c == u'+' || c == u'-'; }

// Appends the run of ASCII digits at pos to out and moves pos past it.
qsizetype takeDigits(const QString &text, qsizetype &pos, QString &out)
{
    const qsizetype start = pos;
    while (pos < text.size() && isAsciiDigit(text[pos])) out += text[pos++];
    return pos - start;
}

double roundHalfToEven(double value)
{
    const double nearest = std::round(value);   // rounds halves away from zero
    if (std::fabs(value - std::trunc(value)) != 0.5) return nearest;
    return 2.0 * std::round(value / 2.0);
}

}  // namespace

double NumericValue(const QString &text)
{
    QString compact = text;
    compact.remove(QLatin1Char(' ')).remove(QLatin1Char('\t')).remove(QLatin1Char('\n'));

    QString number;   // the part that reads as a number, in the C locale's form
    qsizetype pos = 0;
    if (pos < compact.size() && isSign(compact[pos])) number += compact[pos++];
    qsizetype mantissaDigits = takeDigits(compact, pos, number);
    if (pos < compact.size() && compact[pos] == u'.') {
        number += compact[pos++];
        mantissaDigits += takeDigits(compact, pos, number);
    }
    if (mantissaDigits == 0) return 0.0;

    if (pos < compact.size() && QStringLiteral("EeDd").contains(compact[pos])) {
        QString exponent = QStringLiteral("e");
        qsizetype exponentPos = pos + 1;
        if (exponentPos < compact.size() && isSign(compact[exponentPos])) exponent += compact[exponentPos++];
        if (takeDigits(compact, exponentPos, exponent) > 0) number += exponent;
    }
    // The C locale turns an overflow into an infinity and an underflow into 0.
    return QLocale::c().toDouble(number);
}

qint32 StartNumber(const QString &text)
{
    const double rounded = roundHalfToEven(NumericValue(text));
    if (rounded >= double(std::numeric_limits<qint32>::max())) return std::numeric_limits<qint32>::max();
    if (rounded <= double(std::numeric_limits<qint32>::min())) return std::numeric_limits<qint32>::min();
    return qint32(rounded);
}

QString WithExtension(const QString &name, const QString &extension)
{
    return extension.isEmpty() ? name : name + u'.' + extension;
}

QString ComposeNewName(const QString &head, qint32 number, int digits, const QString &extension)
{
    if (number == 0) return WithExtension(head, extension);
    const QString serial = QString::number(number);
    const qsizetype zeros = std::max<qsizetype>(0, digits - serial.size());
    return WithExtension(head + QString(zeros, QLatin1Char('0')) + serial, extension);
}

NamePreview ComposePreview(const QString &numberText, const QString &headText, const QString &extensionText,
                           int digitIndex)
{
    NamePreview preview;
    preview.headName = headText;
    if (preview.headName.endsWith(QLatin1String("\r\n"))) preview.headName.chop(2);
    preview.caption = ComposeNewName(preview.headName, StartNumber(numberText), digitIndex, extensionText);
    return preview;
}

NewNameRule SerialNameRule(const QString &head, qint32 start, int digits, const QString &extension)
{
    return [head, digits, extension, next = qint64(start)](const QString &) mutable -> std::optional<QString> {
        if (next > std::numeric_limits<qint32>::max()) return std::nullopt;
        return ComposeNewName(head, qint32(next++), digits, extension);
    };
}

NewNameRule PrefixNameRule(const QString &prefix)
{
    return [prefix](const QString &oldName) -> std::optional<QString> { return prefix + oldName; };
}

NewNameRule ExtensionNameRule(const QString &extension)
{
    return [extension](const QString &oldName) -> std::optional<QString> {
        const qsizetype dot = oldName.lastIndexOf(u'.');
        return WithExtension(dot < 0 ? oldName : oldName.left(dot), extension);
    };
}

}  // namespace nv
