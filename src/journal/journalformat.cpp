// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/journalformat.h"

#include "platform/nativepath.h"

#include <zlib.h>

namespace nv {
namespace {

const QByteArray kMagic = QByteArrayLiteral("NV2JOURNAL");
constexpr quint32 kVersion = 1;
enum class RecordType : quint8 { Batch = 1, Steps = 2, End = 3, Undone = 4 };

// zlib's CRC-32 (the common one): the journal of a large batch holds
// megabytes, read at every start and after every batch.
quint32 crc32(const char *data, qsizetype size)
{
    return quint32(::crc32_z(0, reinterpret_cast<const Bytef *>(data), size_t(size)));
}

class Writer {
public:
    void u8(quint8 value) { m_bytes.append(char(value)); }
    void u32(quint32 value)
    {
        for (int shift = 0; shift < 32; shift += 8) m_bytes.append(char(value >> shift));
    }
    void u64(quint64 value)
    {
        for (int shift = 0; shift < 64; shift += 8) m_bytes.append(char(value >> shift));
    }
    void i64(qint64 value) { u64(quint64(value)); }
    void flag(bool value) { u8(value ? 1 : 0); }
    void bytes(const QByteArray &value)
    {
        u32(quint32(value.size()));
        m_bytes.append(value);
    }
    void name(const QString &value) { bytes(toNativeName(value)); }
    void text(const QString &value) { bytes(value.toUtf8()); }
    const QByteArray &data() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

// Reads fields until one is missing; from then on every read gives zero and failed() tells.
class Reader {
public:
    explicit Reader(QByteArrayView bytes) : m_bytes(bytes) {}
    quint8 u8() { return quint8(take(1)[0]); }
    quint32 u32() { return quint32(little(4)); }
    quint64 u64() { return little(8); }
    qint64 i64() { return qint64(u64()); }
    bool flag() { return u8() != 0; }
    QByteArray bytes()
    {
        const quint32 size = u32();
        return take(size).toByteArray();
    }
    QString name() { return fromNativeName(bytes()); }
    QString text() { return QString::fromUtf8(bytes()); }
    bool failed() const { return m_failed; }
    bool atEnd() const { return m_position == m_bytes.size(); }
    QByteArrayView take(qsizetype size)
    {
        static const char zeros[8] = {};
        if (m_failed || size < 0 || size > m_bytes.size() - m_position) {
            m_failed = true;
            return QByteArrayView(zeros, size <= 8 && size >= 0 ? size : 8);
        }
        const QByteArrayView part = m_bytes.sliced(m_position, size);
        m_position += size;
        return part;
    }

private:
    quint64 little(int size)
    {
        const QByteArrayView part = take(size);
        quint64 value = 0;
        for (int i = size - 1; i >= 0; --i) value = value << 8 | quint8(part[i]);
        return value;
    }

    QByteArrayView m_bytes;
    qsizetype m_position = 0;
    bool m_failed = false;
};

QByteArray record(RecordType type, const QByteArray &fields)
{
    QByteArray body;
    body.append(char(type));
    body.append(fields);
    Writer framed;
    framed.u32(quint32(body.size()));
    QByteArray bytes = framed.data() + body;
    Writer check;
    check.u32(crc32(body.constData(), body.size()));
    return bytes + check.data();
}

void writeVersion(Writer &out, const FileVersion &version)
{
    out.u64(version.identity.device);
    out.u64(version.identity.inode);
    out.i64(version.size);
    out.i64(version.modifiedNs);
    out.i64(version.changedNs);
    out.flag(version.coarseTimes);
}

FileVersion readVersion(Reader &in)
{
    FileVersion version;
    version.identity.device = in.u64();
    version.identity.inode = in.u64();
    version.size = in.i64();
    version.modifiedNs = in.i64();
    version.changedNs = in.i64();
    version.coarseTimes = in.flag();
    return version;
}

void writeFolder(Writer &out, const JournalFolder &folder)
{
    out.name(folder.path);
    out.name(folder.mountRoot);
    out.text(folder.uuid);
    out.flag(folder.stableInodes);
    out.flag(folder.foldsLetterCase);
}

JournalFolder readFolder(Reader &in)
{
    JournalFolder folder;
    folder.path = in.name();
    folder.mountRoot = in.name();
    folder.uuid = in.text();
    folder.stableInodes = in.flag();
    folder.foldsLetterCase = in.flag();
    return folder;
}

void writeStep(Writer &out, const JournalStep &step)
{
    out.name(step.from);
    out.name(step.to);
    out.u8(quint8(step.method));
    writeVersion(out, step.source);
    out.flag(step.holder.has_value());
    if (step.holder) writeVersion(out, *step.holder);
    out.name(step.keptPath);
    out.flag(step.trash.has_value());
    if (step.trash) {
        out.name(step.trash->folder);
        out.name(step.trash->name);
        out.flag(step.trash->inTrash);
    }
}

JournalStep readStep(Reader &in)
{
    JournalStep step;
    step.from = in.name();
    step.to = in.name();
    const quint8 method = in.u8();
    if (method > quint8(StepMethod::FromTrash)) in.take(-1);
    step.method = StepMethod(method);
    step.source = readVersion(in);
    if (in.flag()) step.holder = readVersion(in);
    step.keptPath = in.name();
    if (in.flag()) {
        TrashEntry entry;
        entry.folder = in.name();
        entry.name = in.name();
        entry.inTrash = in.flag();
        step.trash = entry;
    }
    return step;
}

quint8 outcomeBits(const StepOutcome &outcome)
{
    return quint8(outcome.landed | outcome.linked << 1 | outcome.sourceGone << 2 | outcome.holderTrashed << 3);
}

StepOutcome outcomeOf(quint8 bits)
{
    return {bool(bits & 1), bool(bits & 2), bool(bits & 4), bool(bits & 8)};
}

bool readBatch(Reader &in, Journal &journal)
{
    const quint8 kind = in.u8();
    journal.kind = BatchKind(kind);
    journal.startedMs = in.i64();
    journal.source = readFolder(in);
    journal.destination = readFolder(in);
    journal.undoes = in.name();
    return kind <= quint8(BatchKind::Undo);
}

bool readSteps(Reader &in, Journal &journal)
{
    const quint32 count = in.u32();
    for (quint32 i = 0; i < count && !in.failed(); ++i) journal.steps.push_back(readStep(in));
    return true;
}

bool readEnd(Reader &in, Journal &journal)
{
    const quint32 count = in.u32();
    if (count != journal.steps.size()) return false;
    std::vector<StepOutcome> outcomes;
    outcomes.reserve(count);
    for (quint32 i = 0; i < count; ++i) outcomes.push_back(outcomeOf(in.u8()));
    journal.outcomes = std::move(outcomes);
    return true;
}

// One record's fields into the journal, in the one order the records come.
bool readRecord(RecordType type, Reader &fields, int &expected, Journal &journal)
{
    if (int(type) != expected) return false;
    bool read = false;
    switch (type) {
    case RecordType::Batch: read = readBatch(fields, journal); break;
    case RecordType::Steps: read = readSteps(fields, journal); break;
    case RecordType::End: read = readEnd(fields, journal); break;
    case RecordType::Undone: journal.undone = read = true; break;
    }
    ++expected;
    return read && !fields.failed() && fields.atEnd();
}

}  // namespace

QByteArray encodeBeginning(const Journal &journal)
{
    Writer head;
    head.bytes(kMagic);
    head.u32(kVersion);
    Writer batch;
    batch.u8(quint8(journal.kind));
    batch.i64(journal.startedMs);
    writeFolder(batch, journal.source);
    writeFolder(batch, journal.destination);
    batch.name(journal.undoes);
    Writer steps;
    steps.u32(quint32(journal.steps.size()));
    for (const JournalStep &step : journal.steps) writeStep(steps, step);
    return head.data() + record(RecordType::Batch, batch.data()) + record(RecordType::Steps, steps.data());
}

QByteArray encodeEnd(const std::vector<StepOutcome> &outcomes)
{
    Writer end;
    end.u32(quint32(outcomes.size()));
    for (const StepOutcome &outcome : outcomes) end.u8(outcomeBits(outcome));
    return record(RecordType::End, end.data());
}

QByteArray encodeUndone() { return record(RecordType::Undone, QByteArray()); }

namespace {

// The next record's type and fields, checked; none at a damaged record.
std::optional<QByteArrayView> nextRecord(Reader &in)
{
    const quint32 size = in.u32();
    const QByteArrayView body = in.take(qsizetype(size));
    const quint32 checksum = in.u32();
    if (in.failed() || size == 0 || crc32(body.data(), body.size()) != checksum) return std::nullopt;
    return body;
}

bool readMagic(Reader &in) { return in.bytes() == kMagic && in.u32() == kVersion && !in.failed(); }

}  // namespace

std::optional<Journal> decodeJournal(const QByteArray &bytes)
{
    Reader in(bytes);
    if (!readMagic(in)) return std::nullopt;
    Journal journal;
    int expected = int(RecordType::Batch);
    while (!in.atEnd()) {
        const std::optional<QByteArrayView> body = nextRecord(in);
        if (!body) return std::nullopt;
        Reader fields(body->sliced(1));
        if (!readRecord(RecordType(quint8((*body)[0])), fields, expected, journal)) return std::nullopt;
    }
    if (expected <= int(RecordType::Steps)) return std::nullopt;
    return journal;
}

bool isFinishedJournal(const QByteArray &bytes)
{
    Reader in(bytes);
    if (!readMagic(in)) return false;
    while (!in.atEnd()) {
        const std::optional<QByteArrayView> body = nextRecord(in);
        if (!body) return false;
        if (quint8((*body)[0]) == quint8(RecordType::End)) return true;
    }
    return false;
}

}  // namespace nv
