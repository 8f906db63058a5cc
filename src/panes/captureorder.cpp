// SPDX-License-Identifier: GPL-3.0-or-later
#include "panes/captureorder.h"

#include "panes/capturereading.h"
#include "text/characters.h"

#include <QDateTime>

#include <algorithm>
#include <numeric>

namespace nv {
namespace {

// An ordinary photo takes milliseconds; one that takes a second is malformed
// in a way that may never end.
constexpr qint64 kReadingLimitMs = 1000;

// The number that count ASCII digits at position in text make, or -1.
int digitsAt(const QString &text, qsizetype position, qsizetype count)
{
    if (position + count > text.size()) return -1;
    int value = 0;
    for (qsizetype i = position; i < position + count; ++i) {
        if (!isAsciiDigit(text[i])) return -1;
        value = value * 10 + (text[i].unicode() - u'0');
    }
    return value;
}

// "+09:00" or "-05:30" in seconds east of UTC.
std::optional<int> offsetSeconds(const QString &text)
{
    const QString offset = text.trimmed();
    if (offset.size() != 6 || (offset[0] != u'+' && offset[0] != u'-') || offset[3] != u':') return std::nullopt;
    const int hours = digitsAt(offset, 1, 2), minutes = digitsAt(offset, 4, 2);
    if (hours < 0 || hours > 14 || minutes < 0 || minutes > 59) return std::nullopt;
    const int seconds = (hours * 60 + minutes) * 60;
    return offset[0] == u'+' ? seconds : -seconds;
}

// The digits are a decimal fraction of the second: "25" is a quarter second.
qint64 subSecondMicroseconds(const QString &text)
{
    qint64 micro = 0, scale = 100000;
    for (const QChar c : text.trimmed()) {
        if (!isAsciiDigit(c) || scale == 0) break;
        micro += (c.unicode() - u'0') * scale;
        scale /= 10;
    }
    return micro;
}

}  // namespace

std::optional<qint64> CaptureInstant(const CaptureTimeTexts &texts)
{
    // "2023:05:01 10:00:00"; cameras whose clock was never set write blanks or zeros.
    const QString text = texts.dateTime.trimmed();
    if (text.size() != 19) return std::nullopt;
    const QDate date(digitsAt(text, 0, 4), digitsAt(text, 5, 2), digitsAt(text, 8, 2));
    const QTime time(digitsAt(text, 11, 2), digitsAt(text, 14, 2), digitsAt(text, 17, 2));
    if (!date.isValid() || !time.isValid()) return std::nullopt;
    const std::optional<int> offset = offsetSeconds(texts.offset);
    const QDateTime taken = offset ? QDateTime(date, time, Qt::OffsetFromUTC, *offset) : QDateTime(date, time);
    return taken.toMSecsSinceEpoch() * 1000 + subSecondMicroseconds(texts.subSeconds);
}

bool CaptureTimes::order(const QString &folder, std::vector<FileEntry> &entries, const std::function<bool()> &carryOn)
{
    std::vector<std::optional<qint64>> instants(entries.size());
    std::vector<size_t> unread;
    QStringList paths;
    for (size_t i = 0; i < entries.size(); ++i) {
        const FileEntry &entry = entries[i];
        // A listing without versions could not tell a rewritten file: it reads anew.
        const Known known = m_known[folder].value(entry.name);
        if (entry.version && known.version && isUnchanged(*entry.version, *known.version)) {
            instants[i] = known.instant;
        } else {
            unread.push_back(i);
            paths.append(joinPath(folder, entry.name));
        }
    }
    if (!unread.empty()) {
        const BusyPointer busy(m_dialogs);
        if (!carryOn()) return false;
        CaptureTimeReading reading(m_media, paths, kReadingLimitMs);
        for (size_t done = 0; done < unread.size();) {
            for (const CaptureTimeReading::Read &read : reading.take(kEventIntervalMs)) {
                const size_t i = unread[size_t(read.index)];
                ++done;
                instants[i] = CaptureInstant(read.texts);
                // Looked up anew: a listing run during the events may have replaced the folder's times.
                const FileEntry &entry = entries[i];
                m_known[folder].insert(entry.name, {entry.version ? std::optional(*entry.version) : std::nullopt, instants[i]});
            }
            if (done < unread.size() && !carryOn()) return false;
        }
    }
    forgetVanished(folder, entries);

    std::vector<size_t> order(entries.size());
    std::iota(order.begin(), order.end(), size_t(0));
    // Stable, so equal times and the files without one keep their name order.
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return instants[a] && (!instants[b] || *instants[a] < *instants[b]);
    });
    std::vector<FileEntry> sorted;
    sorted.reserve(entries.size());
    for (const size_t position : order) sorted.push_back(std::move(entries[position]));
    entries = std::move(sorted);
    return true;
}

void CaptureTimes::forgetVanished(const QString &folder, const std::vector<FileEntry> &entries)
{
    // Every listed name is known by now, so a folder holding no more names
    // than were listed holds exactly those.
    QHash<QString, Known> &known = m_known[folder];
    if (known.size() <= qsizetype(entries.size())) return;
    QHash<QString, Known> kept;
    kept.reserve(qsizetype(entries.size()));
    for (const FileEntry &entry : entries) kept.insert(entry.name, known.value(entry.name));
    known = std::move(kept);
}

}  // namespace nv
