#include "app/optionsfile.h"

namespace nv {
namespace {

const QString kCaptureTimeOrder = QStringLiteral("CaptureTimeOrder");

}  // namespace

OptionsRecord ReadOptionsFile(Platform &platform, const QString &path)
{
    OptionsRecord record;
    const FsResult<QString> text = platform.readTextFile(path);
    for (const QStringView line : QStringView(text.value).split(u'\n')) {
        const qsizetype equals = line.indexOf(u'=');
        if (equals >= 0 && line.left(equals).trimmed() == kCaptureTimeOrder)
            record.CaptureTimeOrder = line.mid(equals + 1).trimmed() == u"1" ? 1 : 0;
    }
    return record;
}

FsStatus WriteOptionsFile(Platform &platform, const QString &path, const OptionsRecord &record)
{
    return platform.writeTextFile(
        path, QStringLiteral("[Options]\r\n%1=%2\r\n").arg(kCaptureTimeOrder).arg(record.CaptureTimeOrder));
}

}  // namespace nv
