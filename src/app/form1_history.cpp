// SPDX-License-Identifier: GPL-3.0-or-later
// The drop-down of the head-name box and the texts other programs hand over.
#include "app/form1.h"

#include "app/headnamehistory.h"
#include "app/pickawarecombobox.h"

#include <QLineEdit>

namespace nv {

void Form1::FillHeadNameList()
{
    // Refilling the list empties the edit part too; the head name being typed
    // must come back unchanged and without a refresh of the preview, and
    // selected as a Tab into the box selects it, so that typing replaces it.
    const QString text = Combo2->currentText();
    QLineEdit *edit = Combo2->lineEdit();
    const int cursor = edit->cursorPosition(), selectionStart = edit->selectionStart(), selected = edit->selectionLength();
    const QSignalBlocker blocker(Combo2);
    Combo2->clear();
    Combo2->addItems(HeadNameListEntries(Program.HeadNameHistory));
    Combo2->setCurrentIndex(-1);
    Combo2->setEditText(text);
    edit->setCursorPosition(cursor);
    if (selected > 0) edit->setSelection(selectionStart, selected);
}

void Form1::InstallMessageHook()
{
    // When another window of the same user already listens, the texts go to
    // that window; when the channel cannot be set up at all, the channel has
    // said why on standard error. Either way this window works on without it.
    m_incomingText.install();
}

void Form1::RemoveMessageHook() { m_incomingText.remove(); }

// A text that comes while a batch runs waits for its end.
void Form1::MessageHook(const QString &text)
{
    if (m_batchRunning) m_textsDuringBatch.append(text);
    else PushReceivedText(Program.HeadNameHistory, text);
}

}  // namespace nv
