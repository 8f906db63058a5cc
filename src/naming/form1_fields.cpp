// The naming fields of the main window and the preview of the new name.
#include "app/form1.h"

#include "app/pickawarecombobox.h"
#include "naming/namecomposer.h"
#include "panes/filelistview.h"

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
    Label5->setText(preview.caption);
}

}  // namespace nv
