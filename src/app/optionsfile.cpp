#include "app/optionsfile.h"

#include <QList>

namespace nv {
namespace {

const QString kCaptureTimeOrder = QStringLiteral("CaptureTimeOrder");

}  // namespace

OptionsRecord ReadOptionsFile(TextFiles &textFiles, const QString &path)
{
    OptionsRecord record;
    const FsResult<QString> text = textFiles.readTextFile(path);
    for (const QStringView line : QStringView(text.value).split(u'\n')) {
        const qsizetype equals = line.indexOf(u'=');
        if (equals >= 0 && line.left(equals).trimmed() == kCaptureTimeOrder)
            record.CaptureTimeOrder = line.mid(equals + 1).trimmed() == u"1" ? 1 : 0;
    }
    return record;
}

FsStatus WriteOptionsFile(TextFiles &textFiles, const QString &path, const OptionsRecord &record)
{
    return textFiles.writeTextFile(
        path, QStringLiteral("[Options]\r\n%1=%2\r\n").arg(kCaptureTimeOrder).arg(record.CaptureTimeOrder));
}

}  // namespace nv
