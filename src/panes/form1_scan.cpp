// SPDX-License-Identifier: GPL-3.0-or-later
// The continuation scan that ends every re-listing of the destination pane.
#include "app/form1.h"

#include "panes/continuationscan.h"
#include "panes/filelistview.h"

#include <QComboBox>
#include <QElapsedTimer>

namespace nv {
namespace {

// Reading the clock costs more than reading a name on some machines, so it is
// read once every so many names.
constexpr qsizetype kNamesBetweenClockReads = 256;

}  // namespace

void Form1::ScanContinuation()
{
    if (!Program.ShowContinuation) return;
    // The names in the order shown now; a click on a column header while the
    // scan runs does not mix two orders.
    const QStringList names = ListView2->rowNames();
    const quint64 listing = ListView2->files()->fillCount();
    SeriesScan scan;
    QElapsedTimer sinceEvents;
    for (qsizetype row = 0; row < names.size(); ++row) {
        const bool clockDue = row % kNamesBetweenClockReads == 0;
        if (row == 0 || (clockDue && sinceEvents.hasExpired(kEventIntervalMs))) {
            m_platform.dialogs.letEventsRun();
            sinceEvents.start();
            // A newer listing, and its own scan, have run meanwhile: the
            // fields already show the folder as it is now.
            if (ListView2->files()->fillCount() != listing) return;
        }
        scan.add(names[row]);
    }
    // The option may have been switched off while the events ran.
    if (!Program.ShowContinuation) return;

    const SeriesContinuation fields = scan.result();
    // In prefix mode the head name is the text put in front of each name,
    // which the user typed for this batch and the next: no series name of
    // the destination replaces it.
    if (!Program.AddPrefix) writeHeadName(fields.headName);
    writeNumberText(fields.numberText);
    // The extension goes in as typed text would; the digit count, written
    // last, refreshes the preview with all four fields in place.
    Combo1->setEditText(fields.extension);
    writeDigitCount(fields.digitCount);
}

}  // namespace nv
