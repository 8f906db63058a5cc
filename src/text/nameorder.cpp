#include "text/nameorder.h"

#include <algorithm>

namespace nv {
namespace {

// UTF-16 units ranked so that texts compare in code point order: the
// surrogates, which stand for the characters from U+10000 on, rank above
// U+E000..U+FFFF.
int codePointRank(QChar unit)
{
    const int u = unit.unicode();
    if (u < 0xD800) return u;
    return u < 0xE000 ? u + 0x2000 : u - 0x800;
}

int compareCodePoints(QStringView a, QStringView b)
{
    const auto [inA, inB] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    if (inA == a.end()) return inB == b.end() ? 0 : -1;
    if (inB == b.end()) return 1;
    return codePointRank(*inA) - codePointRank(*inB);
}

struct SortKey {
    QString folded;
    qsizetype position;
};

}  // namespace

std::vector<qsizetype> nameOrder(const QStringList &texts, Qt::SortOrder order)
{
    std::vector<SortKey> keys;
    keys.reserve(size_t(texts.size()));
    for (qsizetype i = 0; i < texts.size(); ++i) keys.push_back({texts[i].toUpper(), i});

    const int direction = order == Qt::AscendingOrder ? 1 : -1;
    std::stable_sort(keys.begin(), keys.end(), [&](const SortKey &a, const SortKey &b) {
        int difference = compareCodePoints(a.folded, b.folded);
        if (difference == 0) difference = compareCodePoints(texts[a.position], texts[b.position]);
        return direction * difference < 0;
    });

    std::vector<qsizetype> positions;
    positions.reserve(keys.size());
    for (const SortKey &key : keys) positions.push_back(key.position);
    return positions;
}

}  // namespace nv
