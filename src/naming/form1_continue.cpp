// A click on a file of the destination list continues its series in the
// naming fields.
#include "app/form1.h"

#include "app/pickawarecombobox.h"
#include "naming/continuefromfile.h"
#include "panes/filelistview.h"

#include <QLineEdit>
#include <QListWidget>

namespace nv {
namespace {

// Each write runs the field's handler, also when the field already held the
// value: the preview and the focus follow every write, as they would a user's.
void writeDigitCount(Form1 &form, int digits)
{
    if (form.List1->currentRow() == digits) form.List1_Click();
    else form.List1->setCurrentRow(digits);
}

void writeNumberText(Form1 &form, const QString &text)
{
    if (form.Text2->text() == text) form.Text2_Change();
    else form.Text2->setText(text);
}

void writeHeadName(Form1 &form, const QString &head)
{
    if (form.Combo2->currentText() == head) form.Combo2_Change();
    else form.Combo2->setEditText(head);
}

}  // namespace

void Form1::ListView2_Click()
{
    const std::vector<int> selected = ListView2->selectedRowNumbers();
    if (selected.empty()) return;
    const ClickedNameFields fields = SplitClickedName(ListView2->files()->name(selected.front()));

    // The extension goes in as typed text would. Each write refreshes the
    // preview, so it ends showing the name the rename will make.
    Combo1->setEditText(fields.extension);
    writeDigitCount(*this, fields.digitCount);
    if (fields.digitCountAgainZero) writeDigitCount(*this, 0);
    if (fields.stopsAfterDigitCount) return;
    writeNumberText(*this, fields.numberText);
    writeHeadName(*this, fields.headName);
}

}  // namespace nv
