// SPDX-License-Identifier: GPL-3.0-or-later
// After each re-listing of the destination folder the naming fields can be set
// to continue the first numbered series found there: same head name and
// extension, the number after the highest one, enough digits for it.
#pragma once

#include <QStringList>

namespace nv {

// What the scan writes into the naming fields.
struct SeriesContinuation {
    QString headName;     // of the series; empty when no name took part
    QString numberText;   // the highest number + 1; empty when the highest is 0
    QString extension;    // of the series, spelled as in the names
    int digitCount = 1;   // the longest number's digits, one more when the next number needs it; at most 15
};

// Reads the names of a list one at a time, in list order, so that the caller
// can let the window breathe between them. Names are split as a click on a
// destination file splits them. A name takes part when it has a number before
// its extension whose successor fits the first-number field; the first that
// takes part starts the series, and only later names of exactly the same head
// name and extension (letter case counts) join it.
class SeriesScan {
public:
    void add(QStringView name);
    SeriesContinuation result() const;

private:
    bool m_found = false;
    QString m_headName;
    QString m_extension;
    qint32 m_highest = 0;
    qsizetype m_longestDigits = 0;
};

SeriesContinuation ScanSeries(const QStringList &names);

}  // namespace nv
