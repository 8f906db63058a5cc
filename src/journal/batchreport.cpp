// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/batchreport.h"

#include <QCoreApplication>

namespace nv {
namespace {

constexpr int kListedFiles = 20;

}  // namespace

void BatchReport::add(const QString &oldName, const QString &newName, const QString &reason)
{
    m_lines.append(QCoreApplication::translate("BatchReport", "「%1」→「%2」：%3").arg(shownName(oldName), shownName(newName), reason));
}

void BatchReport::addFile(const QString &name, const QString &reason)
{
    m_lines.append(QCoreApplication::translate("BatchReport", "「%1」：%2").arg(shownName(name), reason));
}

QString BatchReport::text() const
{
    QString text = m_lines.mid(0, kListedFiles).join(QLatin1Char('\n'));
    if (m_lines.size() > kListedFiles) text += QCoreApplication::translate("BatchReport", "\nほか %1 件").arg(m_lines.size() - kListedFiles);
    return text;
}

QString shownName(QString name) { return name.replace(QChar(0), QChar(0x2400)); }

void tell(Dialogs &dialogs, const QString &text)
{
    dialogs.showMessage(text, MessageButtons::Ok, MessageIcon::Exclamation, kApplicationTitle);
}

bool AskUndoAfterStop(Dialogs &dialogs, int done, int total, const QString &details)
{
    QString text = QCoreApplication::translate("BatchReport", "%1 件のうち %2 件を処理したところで中止しました。").arg(total).arg(done);
    if (!details.isEmpty()) text += QStringLiteral("\n\n") + details + QStringLiteral("\n");
    text += QCoreApplication::translate("BatchReport", "\n処理した %1 件を元に戻しますか？").arg(done);
    return done > 0 && dialogs.showMessage(text, MessageButtons::YesNo, MessageIcon::None) == MessageAnswer::Yes;
}

}  // namespace nv
