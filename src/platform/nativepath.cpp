// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/nativepath.h"

#include <QFile>

#include <fcntl.h>
#include <unistd.h>

namespace nv {
namespace {

constexpr char16_t kEscapeBase = 0xDC00;

// Length of the valid UTF-8 sequence starting at p, or 0 when it is not one.
int validSequenceLength(const unsigned char *p, const unsigned char *end)
{
    const unsigned char c = p[0];
    int length;
    char32_t minimum;
    if (c < 0x80) return 1;
    if ((c & 0xE0) == 0xC0) { length = 2; minimum = 0x80; }
    else if ((c & 0xF0) == 0xE0) { length = 3; minimum = 0x800; }
    else if ((c & 0xF8) == 0xF0) { length = 4; minimum = 0x10000; }
    else return 0;
    if (end - p < length) return 0;
    char32_t code = c & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        if ((p[i] & 0xC0) != 0x80) return 0;
        code = (code << 6) | (p[i] & 0x3F);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    if (code < minimum || code > 0x10FFFF || surrogate) return 0;
    return length;
}

// Whether the unit at i carries a byte: a low surrogate in the escape range
// that does not complete a pair.
bool isEscapedByte(QStringView text, qsizetype i)
{
    const char16_t unit = text[i].unicode();
    if (unit < 0xDC80 || unit > 0xDCFF) return false;
    return i == 0 || !text[i - 1].isHighSurrogate();
}

}  // namespace

QString fromNativeName(const char *bytes, qsizetype length)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes);
    const auto *end = p + length;
    bool plain = true;
    for (const auto *q = p; q < end;) {
        const int n = validSequenceLength(q, end);
        if (n == 0) { plain = false; break; }
        q += n;
    }
    if (plain) return QString::fromUtf8(bytes, length);

    QString result;
    result.reserve(length);
    while (p < end) {
        const int n = validSequenceLength(p, end);
        if (n == 0) {
            result.append(QChar(char16_t(kEscapeBase + *p)));
            ++p;
        } else {
            result.append(QString::fromUtf8(reinterpret_cast<const char *>(p), n));
            p += n;
        }
    }
    return result;
}

QByteArray toNativeName(const QString &text)
{
    bool escaped = false;
    for (qsizetype i = 0; i < text.size() && !escaped; ++i) escaped = isEscapedByte(text, i);
    if (!escaped) return text.toUtf8();

    QByteArray result;
    result.reserve(text.size() * 3);
    qsizetype runStart = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !isEscapedByte(text, i)) continue;
        result.append(QStringView(text).mid(runStart, i - runStart).toUtf8());
        if (i < text.size()) result.append(char(text.at(i).unicode() - kEscapeBase));
        runStart = i + 1;
    }
    return result;
}

bool openByNativeName(const QString &path, QFile &file)
{
    const int fd = ::open(toNativeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    if (file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) return true;
    ::close(fd);
    return false;
}

}  // namespace nv
