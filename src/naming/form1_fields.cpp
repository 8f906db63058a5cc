// SPDX-License-Identifier: GPL-3.0-or-later
// The naming fields of the main window and the preview of the new name.
#include "app/form1.h"

#include "app/pickawarecombobox.h"
#include "naming/digitalignment.h"
#include "naming/namecomposer.h"
#include "panes/filelistview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>

namespace nv {

void Form1::Text2_Change() { UpdatePreview(); }

void Form1::Combo2_Change() { UpdatePreview(); }

void Form1::Combo2_Click() { ListView1->setFocus(); }

void Form1::Combo1_Click()
{
    UpdatePreview();
    ListView1->setFocus();
}

// Typing keeps the focus in the box.
void Form1::Combo1_Change() { UpdatePreview(); }

void Form1::List1_Click()
{
    UpdatePreview();
    ListView1->setFocus();
}

void Form1::VScroll1_Change() { List1->setCurrentRow(VScroll1->value()); }

void Form1::Check1_Click() { ListView1->setFocus(); }

void Form1::UpdatePreview()
{
    const NamePreview preview =
        ComposePreview(Text2->text(), Combo2->currentText(), Combo1->currentText(), List1->currentRow());
    // A head name pasted or received with a line break at its end loses it here.
    if (preview.headName != Combo2->currentText()) Combo2->setEditText(preview.headName);
    const QString caption = previewOfTheShownButton(preview);
    Label5->setText(caption);
    // The label cuts a long name in the middle; the whole name is here.
    Label5->setToolTip(caption);
}

// The name that the action button on show gives the first selected file. In
// prefix mode that button is ネーム追加, also with 桁合わせ ticked.
QString Form1::previewOfTheShownButton(const NamePreview &preview) const
{
    const bool prefix = Program.AddPrefix == 1;
    if (!prefix && !Check3->isChecked()) return preview.caption;
    const int first = ListView1->firstSelectedRow();
    if (first < 0) return prefix ? preview.headName : QString();
    const QString firstName = ListView1->files()->name(first);
    if (prefix) return *PrefixNameRule(preview.headName)(firstName);
    // Two names decide the first one's new name, however many are selected.
    return AlignedNameOf(firstName, ListView1->longestSelectedName());
}

}  // namespace nv
