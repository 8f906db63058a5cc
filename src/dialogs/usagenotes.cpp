// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/usagenotes.h"

#include <QRegularExpression>

namespace nv {

QString usageNotesText(const QString &fileText)
{
    if (fileText.isEmpty()) return QString();
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n|\r"));
    QStringList lines = fileText.split(lineBreak);
    // A break at the very end closes the last line; it does not open another.
    if (lines.last().isEmpty()) lines.removeLast();
    QString text;
    for (const QString &line : lines) text += line + QStringLiteral("\r\n");
    return text;
}

QString loadUsageNotes(TextFiles &textFiles, const QString &notesFolder)
{
    const QString path = joinPath(notesFolder, usageNotesFileName());
    const FsResult<QString> file = textFiles.readTextFile(path);
    if (file.ok()) return usageNotesText(file.value);
    return usageNotesText(QCoreApplication::translate("UsageNotes", "使い方の説明 %1 を読み込めませんでした。\n（%2）")
                              .arg(path, file.status.reason));
}

}  // namespace nv
