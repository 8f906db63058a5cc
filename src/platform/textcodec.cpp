// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/textcodec.h"

#include "platform/nativepath.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace nv {
namespace {

const QByteArray kUtf8Mark("\xEF\xBB\xBF");

QString decodeCp932(const QByteArray &bytes)
{
    QStringDecoder cp932("CP932", QStringDecoder::Flag::Stateless);
    return cp932.decode(bytes);
}

}  // namespace

QByteArray encodeText(const QString &text)
{
    QStringEncoder cp932("CP932", QStringEncoder::Flag::Stateless);
    QByteArray bytes = cp932.encode(text);
    // A few characters encode to a code that reads back as another one.
    if (cp932.isValid() && !cp932.hasError() && decodeCp932(bytes) == text) return bytes;
    // The same escaping as file names, so a folder whose name is not valid
    // UTF-8 is saved as its exact bytes and found again at the next start.
    return kUtf8Mark + toNativeName(text);
}

QString decodeText(const QByteArray &bytes)
{
    if (bytes.startsWith(kUtf8Mark)) return fromNativeName(bytes.mid(kUtf8Mark.size()));
    return decodeCp932(bytes);
}

}  // namespace nv
