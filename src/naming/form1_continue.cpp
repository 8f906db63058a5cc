// SPDX-License-Identifier: GPL-3.0-or-later
// A click on a file of the destination list continues its series in the
// naming fields.
#include "app/form1.h"

#include "app/pickawarecombobox.h"
#include "naming/continuefromfile.h"
#include "panes/filelistview.h"

#include <QLineEdit>
#include <QListWidget>

namespace nv {

// Each write runs the field's handler, also when the field already held the
// value: the preview and the focus follow every write, as they would a user's.
void Form1::writeDigitCount(int digits)
{
    if (List1->currentRow() == digits) List1_Click();
    else List1->setCurrentRow(digits);
}

void Form1::writeNumberText(const QString &text)
{
    if (Text2->text() == text) Text2_Change();
    else Text2->setText(text);
}

void Form1::writeHeadName(const QString &head)
{
    if (Combo2->currentText() == head) Combo2_Change();
    else Combo2->setEditText(head);
}

void Form1::ListView2_Click()
{
    const std::vector<int> selected = ListView2->selectedRowNumbers();
    if (selected.empty()) return;
    const ClickedNameFields fields = SplitClickedName(ListView2->files()->name(selected.front()));

    // The extension goes in as typed text would. Each write refreshes the
    // preview, so it ends showing the name the rename will make.
    Combo1->setEditText(fields.extension);
    writeDigitCount(fields.digitCount);
    if (fields.digitCountAgainZero) writeDigitCount(0);
    if (fields.stopsAfterDigitCount) return;
    writeNumberText(fields.numberText);
    writeHeadName(fields.headName);
}

}  // namespace nv
