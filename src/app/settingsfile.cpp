// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settingsfile.h"

#include <algorithm>
#include <optional>

namespace nv {
namespace {

const QChar kQuote = QLatin1Char('"');
const QChar kComma = QLatin1Char(',');

bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }
bool isLineEnd(QChar c) { return c == QLatin1Char('\r') || c == QLatin1Char('\n'); }
bool endsUnquotedField(QChar c) { return c == kComma || isLineEnd(c); }

// Reads the fields of a settings file one after another. Line ends separate
// fields just as commas do, so the reader does not care how the fields of a
// record are spread over lines.
class FieldReader {
public:
    explicit FieldReader(QStringView text) : m_text(text) {}

    // Skips blank space and empty lines before a record or a list entry, and
    // tells whether anything is left.
    bool atEndOfData()
    {
        while (m_pos < m_text.size() && (isBlank(m_text[m_pos]) || isLineEnd(m_text[m_pos]))) ++m_pos;
        return m_pos >= m_text.size();
    }

    // The next field, or nothing when the data end before it begins.
    std::optional<QString> readField()
    {
        while (m_pos < m_text.size() && isBlank(m_text[m_pos])) ++m_pos;
        if (m_pos >= m_text.size()) return std::nullopt;
        const QString field = m_text[m_pos] == kQuote ? readQuoted() : readUnquoted();
        consumeSeparator();
        return field;
    }

private:
    QStringView m_text;
    qsizetype m_pos = 0;

    // Up to the closing quote, commas and line breaks included; a quote that
    // is never closed takes the rest of the data. Whatever stands between the
    // closing quote and the separator is not part of any field.
    QString readQuoted()
    {
        const qsizetype start = m_pos + 1;
        qsizetype close = m_text.indexOf(kQuote, start);
        if (close < 0) close = m_text.size();
        m_pos = std::min(close + 1, m_text.size());
        skipToSeparator();
        return m_text.mid(start, close - start).toString();
    }

    QString readUnquoted()
    {
        const qsizetype start = m_pos;
        skipToSeparator();
        return m_text.mid(start, m_pos - start).toString();
    }

    void skipToSeparator()
    {
        while (m_pos < m_text.size() && !endsUnquotedField(m_text[m_pos])) ++m_pos;
    }

    // One comma, or one line break: CR LF, a lone LF or a lone CR.
    void consumeSeparator()
    {
        if (m_pos >= m_text.size()) return;
        const QChar c = m_text[m_pos++];
        if (c == QLatin1Char('\r') && m_pos < m_text.size() && m_text[m_pos] == QLatin1Char('\n')) ++m_pos;
    }
};

// A 16-bit signed decimal number: an optional "-" and digits, blanks around
// allowed. Anything else, or a value out of range, is no number.
std::optional<int> parseInt16(QStringView field)
{
    qsizetype first = 0;
    qsizetype last = field.size();
    while (first < last && isBlank(field[first])) ++first;
    while (last > first && isBlank(field[last - 1])) --last;
    const bool negative = first < last && field[first] == QLatin1Char('-');
    if (negative) ++first;
    if (first == last) return std::nullopt;
    int magnitude = 0;
    for (qsizetype i = first; i < last; ++i) {
        const char16_t c = field[i].unicode();
        if (c < u'0' || c > u'9') return std::nullopt;
        magnitude = magnitude * 10 + (c - u'0');
        if (magnitude > 32768) return std::nullopt;
    }
    const int value = negative ? -magnitude : magnitude;
    if (value > 32767) return std::nullopt;
    return value;
}

// A text that the reader would give back unchanged when written without quotes.
bool readsBackUnquoted(const QString &text)
{
    if (text.isEmpty() || isBlank(text.front()) || text.front() == kQuote) return false;
    return std::none_of(text.begin(), text.end(), endsUnquotedField);
}

// The file format has no escape for a double quote inside a quoted text. Such
// a text is written bare when the reader gives it back unchanged that way;
// otherwise its double quotes are dropped, which keeps the file readable and
// every other field intact.
QString formatTextField(const QString &text)
{
    if (!text.contains(kQuote)) return kQuote + text + kQuote;
    if (readsBackUnquoted(text)) return text;
    QString withoutQuotes = text;
    withoutQuotes.remove(kQuote);
    return kQuote + withoutQuotes + kQuote;
}

// One field of the record: a text or an integer.
struct FieldSlot {
    QString *text = nullptr;
    int *number = nullptr;
};

std::array<FieldSlot, 18> fieldsOf(SettingsRecord &record)
{
    std::array<FieldSlot, 18> fields{{
        {&record.SourceFolder, nullptr},
        {&record.TargetFolder, nullptr},
        {nullptr, &record.DigitIndex},
        {nullptr, &record.ExtensionIndex},
        {&record.HeadName, nullptr},
        {&record.FirstNumberText, nullptr},
        {nullptr, &record.ReportView},
        {nullptr, &record.ShowContinuation},
    }};
    for (std::size_t i = 0; i < record.HeadNameHistory.size(); ++i) fields[8 + i].text = &record.HeadNameHistory[i];
    return fields;
}

// Reads the fields of one record into it in order; false when the record ends
// early or an integer field holds no number. The fields read before stay.
bool readRecord(FieldReader &reader, SettingsRecord &record)
{
    for (const FieldSlot &slot : fieldsOf(record)) {
        const std::optional<QString> field = reader.readField();
        if (!field) return false;
        if (slot.text) {
            *slot.text = *field;
            continue;
        }
        const std::optional<int> number = parseInt16(*field);
        if (!number) return false;
        *slot.number = *number;
    }
    return true;
}

}  // namespace

QString FormatSettingsRecord(const SettingsRecord &record)
{
    SettingsRecord fields = record;
    QStringList texts;
    for (const FieldSlot &slot : fieldsOf(fields))
        texts.append(slot.text ? formatTextField(*slot.text) : QString::number(*slot.number));
    return texts.join(kComma) + QLatin1String("\r\n");
}

SettingsReadResult ParseSettingsText(const QString &text)
{
    SettingsReadResult result;
    FieldReader reader(text);
    while (!reader.atEndOfData()) {
        if (!readRecord(reader, result.record)) {
            result.outcome = SettingsReadOutcome::CutShort;
            break;
        }
        result.outcome = SettingsReadOutcome::Complete;
    }
    return result;
}

QString FormatExtensionList(const QStringList &entries)
{
    QString text;
    for (const QString &entry : entries) text += formatTextField(entry) + QLatin1String("\r\n");
    return text;
}

QStringList ParseExtensionList(const QString &text)
{
    QStringList entries;
    FieldReader reader(text);
    while (!reader.atEndOfData()) entries.append(reader.readField().value_or(QString()));
    return entries;
}

SettingsReadResult ReadSettingsFile(TextFiles &textFiles, const QString &path)
{
    const FsResult<QString> file = textFiles.readTextFile(path);
    if (!file.ok()) return {SettingsRecord{}, SettingsReadOutcome::Unreadable, file.status};
    return ParseSettingsText(file.value);
}

FsStatus WriteSettingsFile(TextFiles &textFiles, const QString &path, const SettingsRecord &record)
{
    return textFiles.writeTextFile(path, FormatSettingsRecord(record));
}

FsResult<QStringList> ReadExtensionList(TextFiles &textFiles, const QString &path)
{
    const FsResult<QString> file = textFiles.readTextFile(path);
    if (!file.ok()) return {QStringList(), file.status};
    return {ParseExtensionList(file.value), FsStatus::success()};
}

FsStatus WriteExtensionList(TextFiles &textFiles, const QString &path, const QStringList &entries)
{
    return textFiles.writeTextFile(path, FormatExtensionList(entries));
}

}  // namespace nv
