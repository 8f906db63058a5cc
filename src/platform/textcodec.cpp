#include "platform/textcodec.h"

#include "platform/nativepath.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace nv {
namespace {

const QByteArray kUtf8Mark("\xEF\xBB\xBF");

bool hasNonAscii(const QByteArray &bytes)
{
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) return true;
    return false;
}

}  // namespace

QByteArray encodeText(const QString &text)
{
    QStringEncoder cp932("CP932", QStringEncoder::Flag::Stateless);
    QByteArray bytes = cp932.encode(text);
    if (cp932.isValid() && !cp932.hasError()) return bytes;
    // The same escaping as file names, so a folder whose name is not valid
    // UTF-8 is saved as its exact bytes and found again at the next start.
    return kUtf8Mark + toNativeName(text);
}

QString decodeText(const QByteArray &bytes)
{
    if (bytes.startsWith(kUtf8Mark)) return fromNativeName(bytes.mid(kUtf8Mark.size()));
    if (hasNonAscii(bytes)) {
        // A file edited by hand in a UTF-8 editor has no mark; CP932 text with
        // Japanese in it is practically never valid UTF-8.
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString text = utf8.decode(bytes);
        if (!utf8.hasError()) return text;
    }
    QStringDecoder cp932("CP932", QStringDecoder::Flag::Stateless);
    return cp932.decode(bytes);
}

}  // namespace nv
