// SPDX-License-Identifier: GPL-3.0-or-later
#include "naming/cardnames.h"

#include <QCoreApplication>
#include <QStringList>

namespace nv {
namespace {

const QString kForbiddenCharacters = QStringLiteral("\\/:*?\"<>|");

bool isReservedDeviceName(const QString &name)
{
    static const QStringList kDevices{QStringLiteral("CON"), QStringLiteral("PRN"), QStringLiteral("AUX"),
                                      QStringLiteral("NUL")};
    // "CON.jpg" and "con.tar.gz" name the device just as "CON" does.
    const QString base = name.section(u'.', 0, 0).toUpper();
    if (kDevices.contains(base)) return true;
    return base.size() == 4 && (base.startsWith(u"COM") || base.startsWith(u"LPT")) && base[3] >= u'1'
           && base[3] <= u'9';
}

QString onCards(const QString &what)
{
    return QCoreApplication::translate("CardNames", "%1メモリーカードなど（FAT・exFAT）の名前に使えません").arg(what);
}

}  // namespace

QString cardNameProblem(const QString &name)
{
    for (const QChar c : name) {
        if (kForbiddenCharacters.contains(c)) return onCards(QCoreApplication::translate("CardNames", "文字「%1」は").arg(c));
        if (c.unicode() < 0x20) {
            const QString code = QString::number(c.unicode(), 16).toUpper().rightJustified(4, u'0');
            return onCards(QCoreApplication::translate("CardNames", "制御文字（U+%1）は").arg(code));
        }
    }
    if (name.endsWith(u'.')) return onCards(QCoreApplication::translate("CardNames", "終わりの「.」は"));
    if (name.endsWith(u' ')) return onCards(QCoreApplication::translate("CardNames", "終わりの空白は"));
    if (isReservedDeviceName(name))
        return onCards(QCoreApplication::translate("CardNames", "「%1」は装置の名前のため、").arg(name.section(u'.', 0, 0)));
    return QString();
}

}  // namespace nv
