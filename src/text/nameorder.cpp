// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/nameorder.h"

#include <algorithm>
#include <array>

namespace nv {
namespace {

// A UTF-16 unit ranked so that texts compare in code point order: the
// surrogates, which stand for the characters from U+10000 on, rank above
// U+E000..U+FFFF. The ranks fit in 16 bits again.
char16_t codePointRank(char16_t unit)
{
    if (unit < 0xD800) return unit;
    return unit < 0xE000 ? char16_t(unit + 0x2000) : char16_t(unit - 0x800);
}

// The characters of a text one by one, each folded to its upper case, as
// ranked UTF-16 units.
class FoldedUnits {
public:
    explicit FoldedUnits(QStringView text) : m_text(text) {}

    bool atEnd() const { return m_pending == 0 && m_position >= m_text.size(); }

    char16_t next()
    {
        if (m_pending != 0) return std::exchange(m_pending, 0);
        char32_t c = m_text[m_position++].unicode();
        if (c < 0x80) return c >= 'a' && c <= 'z' ? char16_t(c - 'a' + 'A') : char16_t(c);
        if (QChar::isHighSurrogate(c) && m_position < m_text.size() && m_text[m_position].isLowSurrogate())
            c = QChar::surrogateToUcs4(char16_t(c), m_text[m_position++].unicode());
        c = QChar::toUpper(c);
        if (!QChar::requiresSurrogates(c)) return codePointRank(char16_t(c));
        m_pending = codePointRank(QChar::lowSurrogate(c));
        return codePointRank(QChar::highSurrogate(c));
    }

private:
    QStringView m_text;
    qsizetype m_position = 0;
    char16_t m_pending = 0;   // the second unit of a character beyond U+FFFF
};

int compareFolded(QStringView a, QStringView b)
{
    FoldedUnits x(a), y(b);
    while (!x.atEnd() && !y.atEnd()) {
        const char16_t u = x.next(), v = y.next();
        if (u != v) return u < v ? -1 : 1;
    }
    return int(!x.atEnd()) - int(!y.atEnd());
}

int compareCodePoints(QStringView a, QStringView b)
{
    const auto [inA, inB] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    if (inA == a.end()) return inB == b.end() ? 0 : -1;
    if (inB == b.end()) return 1;
    return codePointRank(inA->unicode()) < codePointRank(inB->unicode()) ? -1 : 1;
}

// A text prepared for sorting: made once, compared many times. Names mostly
// differ within their first 24 characters (IMG_20230715_123456.jpg), which
// compare as six integers; only names alike that far are folded again.
constexpr int kPrefixWords = 6;

struct SortKey {
    std::array<quint64, kPrefixWords> prefix{};   // folded units, four to a word; 0 past the end
    qsizetype position;

    SortKey(QStringView text, qsizetype at) : position(at)
    {
        FoldedUnits units(text);
        for (int i = 0; i < 4 * kPrefixWords && !units.atEnd(); ++i)
            prefix[size_t(i / 4)] |= quint64(units.next()) << (48 - 16 * (i % 4));
    }
};

int comparePrefixes(const SortKey &a, const SortKey &b)
{
    for (int i = 0; i < kPrefixWords; ++i)
        if (a.prefix[size_t(i)] != b.prefix[size_t(i)]) return a.prefix[size_t(i)] < b.prefix[size_t(i)] ? -1 : 1;
    return 0;
}

}  // namespace

std::vector<qsizetype> nameOrder(const QStringList &texts, Qt::SortOrder order)
{
    std::vector<SortKey> keys;
    keys.reserve(size_t(texts.size()));
    for (qsizetype i = 0; i < texts.size(); ++i) keys.emplace_back(texts[i], i);

    // Texts that fold alike compare by code point, then keep their places.
    const bool ascending = order == Qt::AscendingOrder;
    std::sort(keys.begin(), keys.end(), [&](const SortKey &a, const SortKey &b) {
        int difference = comparePrefixes(a, b);
        if (difference == 0) difference = compareFolded(texts[a.position], texts[b.position]);
        if (difference == 0) difference = compareCodePoints(texts[a.position], texts[b.position]);
        if (difference == 0) return a.position < b.position;
        return ascending == (difference < 0);
    });

    std::vector<qsizetype> positions;
    positions.reserve(keys.size());
    for (const SortKey &key : keys) positions.push_back(key.position);
    return positions;
}

}  // namespace nv
