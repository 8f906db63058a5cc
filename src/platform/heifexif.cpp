// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/heifexif.h"

#include <QFile>
#include <QtEndian>

#include <optional>
#include <vector>

namespace nv {
namespace {

// The meta box of a phone photo is a few kilobytes, tens for a picture of
// many tiles; EXIF blocks are tens of kilobytes.
constexpr qint64 kLargestMeta = 4 << 20;
constexpr qint64 kLargestExif = 4 << 20;
constexpr int kTopLevelBoxes = 64;

// Big-endian fields read in turn from a span of bytes; a read past the end of
// the span fails every read after it.
class Fields {
public:
    Fields(const QByteArray &bytes, qsizetype from, qsizetype to) : m_bytes(&bytes), m_at(from), m_end(to) {}

    bool ok() const { return m_ok; }
    qsizetype at() const { return m_at; }
    bool atEnd() const { return !m_ok || m_at >= m_end; }

    quint64 number(int size)
    {
        quint64 value = 0;
        if (!has(size)) return 0;
        for (int i = 0; i < size; ++i) value = value << 8 | uchar(m_bytes->at(m_at + i));
        m_at += size;
        return value;
    }
    QByteArray fourcc()
    {
        if (!has(4)) return {};
        m_at += 4;
        return m_bytes->mid(m_at - 4, 4);
    }
    void skip(qint64 size)
    {
        if (has(size)) m_at += qsizetype(size);
    }
    // The next box inside the span: its type, and fields over its content.
    std::optional<std::pair<QByteArray, Fields>> box()
    {
        const qsizetype start = m_at;
        quint64 size = number(4);
        const QByteArray type = fourcc();
        if (size == 1) size = number(8);
        else if (size == 0) size = quint64(m_end - start);
        const qsizetype content = m_at;
        if (!m_ok || size < quint64(content - start) || size > quint64(m_end - start)) return std::nullopt;
        m_at = start + qsizetype(size);
        return std::pair{type, Fields(*m_bytes, content, m_at)};
    }

private:
    bool has(qint64 size)
    {
        m_ok = m_ok && size >= 0 && size <= m_end - m_at;
        return m_ok;
    }
    const QByteArray *m_bytes;
    qsizetype m_at;
    qsizetype m_end;
    bool m_ok = true;
};

// The content of the file's top-level meta box, found by the box headers alone.
QByteArray readMetaBox(QFile &file)
{
    qint64 at = 0;
    for (int box = 0; box < kTopLevelBoxes && file.seek(at); ++box) {
        const QByteArray header = file.read(16);
        if (header.size() < 8) return {};
        quint64 size = qFromBigEndian<quint32>(header.constData());
        qint64 headerSize = 8;
        if (size == 1 && header.size() == 16) {
            size = qFromBigEndian<quint64>(header.constData() + 8);
            headerSize = 16;
        } else if (size == 0) {
            size = quint64(file.size() - at);
        }
        if (size < quint64(headerSize) || size > quint64(file.size() - at)) return {};
        if (header.mid(4, 4) == "meta") {
            if (size > quint64(kLargestMeta) || !file.seek(at + headerSize)) return {};
            return file.read(qint64(size) - headerSize);
        }
        at += qint64(size);
    }
    return {};
}

// The ID of the first item whose type is "Exif", from the item information box.
std::optional<quint32> exifItem(Fields iinf)
{
    const int version = int(iinf.number(1));
    iinf.skip(3);
    iinf.skip(version == 0 ? 2 : 4);   // the entry count: the boxes themselves tell
    while (!iinf.atEnd()) {
        auto entry = iinf.box();
        if (!entry || entry->first != "infe") return std::nullopt;
        Fields &infe = entry->second;
        const int entryVersion = int(infe.number(1));
        infe.skip(3);
        if (entryVersion < 2) continue;   // such entries name no item type
        const quint32 id = quint32(infe.number(entryVersion == 2 ? 2 : 4));
        infe.skip(2);
        if (infe.fourcc() == "Exif" && infe.ok()) return id;
    }
    return std::nullopt;
}

struct Extent {
    quint64 offset;
    quint64 length;
};
struct ItemLocation {
    int constructionMethod = 0;   // 0: offsets in the file, 1: in the idat box
    std::vector<Extent> extents;
};

// Where an item's bytes lie, from the item location box.
std::optional<ItemLocation> locationOf(Fields iloc, quint32 item)
{
    const int version = int(iloc.number(1));
    iloc.skip(3);
    const int sizes = int(iloc.number(1)), moreSizes = int(iloc.number(1));
    const int offsetSize = sizes >> 4, lengthSize = sizes & 15, baseSize = moreSizes >> 4;
    const int indexSize = version == 1 || version == 2 ? moreSizes & 15 : 0;
    const quint64 count = iloc.number(version < 2 ? 2 : 4);
    for (quint64 i = 0; i < count && iloc.ok(); ++i) {
        ItemLocation location;
        const quint32 id = quint32(iloc.number(version < 2 ? 2 : 4));
        if (version == 1 || version == 2) location.constructionMethod = int(iloc.number(2) & 15);
        iloc.skip(2);   // the data reference: this file
        const quint64 base = iloc.number(baseSize);
        const quint64 extents = iloc.number(2);
        for (quint64 e = 0; e < extents && iloc.ok(); ++e) {
            iloc.skip(indexSize);
            const quint64 offset = iloc.number(offsetSize);
            location.extents.push_back({base + offset, iloc.number(lengthSize)});
        }
        if (id == item && iloc.ok()) return location;
    }
    return std::nullopt;
}

QByteArray readExtents(QFile &file, const QByteArray &meta, const ItemLocation &location, const Fields *idat)
{
    QByteArray block;
    for (const Extent &extent : location.extents) {
        if (extent.length == 0 || extent.length > quint64(kLargestExif - block.size())) return {};
        if (location.constructionMethod == 1 && idat) {
            Fields data = *idat;
            data.skip(qint64(extent.offset));
            const qsizetype from = data.at();
            data.skip(qint64(extent.length));
            if (!data.ok()) return {};
            block += meta.mid(from, qsizetype(extent.length));
        } else if (location.constructionMethod == 0 && file.seek(qint64(extent.offset))) {
            const QByteArray part = file.read(qint64(extent.length));
            if (part.size() != qsizetype(extent.length)) return {};
            block += part;
        } else {
            return {};
        }
    }
    return block;
}

}  // namespace

QByteArray readHeifExif(QFile &file)
{
    const QByteArray meta = readMetaBox(file);
    Fields content(meta, 0, meta.size());
    content.skip(4);   // version and flags
    std::optional<Fields> iinf, iloc, idat;
    while (!content.atEnd()) {
        auto box = content.box();
        if (!box) return {};
        if (box->first == "iinf") iinf = box->second;
        else if (box->first == "iloc") iloc = box->second;
        else if (box->first == "idat") idat = box->second;
    }
    const std::optional<quint32> item = iinf ? exifItem(*iinf) : std::nullopt;
    const std::optional<ItemLocation> location = item && iloc ? locationOf(*iloc, *item) : std::nullopt;
    if (!location) return {};
    const QByteArray block = readExtents(file, meta, *location, idat ? &*idat : nullptr);
    // The block opens with the distance from its fifth byte to the TIFF header.
    if (block.size() < 4) return {};
    const quint32 skip = qFromBigEndian<quint32>(block.constData());
    if (skip > quint32(block.size() - 4)) return {};
    return block.mid(4 + qsizetype(skip));
}

}  // namespace nv
