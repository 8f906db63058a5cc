// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/optionsfile.h"

#include <QList>

namespace nv {
namespace {

struct OptionLine {
    QString name;
    int OptionsRecord::*value;
};

const OptionLine kOptionLines[] = {
    {QStringLiteral("CaptureTimeOrder"), &OptionsRecord::CaptureTimeOrder},
    {QStringLiteral("PhotoSets"), &OptionsRecord::PhotoSets},
};

}  // namespace

OptionsRecord ReadOptionsFile(TextFiles &textFiles, const QString &path)
{
    OptionsRecord record;
    const FsResult<QString> text = textFiles.readTextFile(path);
    for (const QStringView line : QStringView(text.value).split(u'\n')) {
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0) continue;
        for (const OptionLine &option : kOptionLines) {
            if (line.left(equals).trimmed() == option.name)
                record.*option.value = line.mid(equals + 1).trimmed() == u"1" ? 1 : 0;
        }
    }
    return record;
}

FsStatus WriteOptionsFile(TextFiles &textFiles, const QString &path, const OptionsRecord &record)
{
    QString text = QStringLiteral("[Options]\r\n");
    for (const OptionLine &option : kOptionLines)
        text += QStringLiteral("%1=%2\r\n").arg(option.name).arg(record.*option.value);
    return textFiles.writeTextFile(path, text);
}

}  // namespace nv
