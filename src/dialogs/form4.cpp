// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/form4.h"

#include "dialogs/usagenotes.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace nv {

Form4::Form4(TextFiles &textFiles, const QString &notesFolder, QWidget *parent)
    : QWidget(parent, Qt::Window),
      Text1(new QPlainTextEdit(this)),
      Command1(new QPushButton(tr("プログラムへ戻る"), this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Norvanta２"));
    Text1->setObjectName(QStringLiteral("Text1"));
    Command1->setObjectName(QStringLiteral("Command1"));

    Text1->setAccessibleName(tr("使い方"));
    Text1->setReadOnly(true);
    Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Text1);
    layout->addLayout(buttons);
    resize(640, 480);

    connect(Command1, &QPushButton::clicked, this, &Form4::Command1_Click);
    Form_Load(textFiles, notesFolder);
}

void Form4::Form_Load(TextFiles &textFiles, const QString &notesFolder)
{
    Text1->setPlainText(loadUsageNotes(textFiles, notesFolder));
}

void Form4::Command1_Click() { close(); }

// Escape leaves the notes as it leaves the options window.
void Form4::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Cancel)) Command1_Click();
    else QWidget::keyPressEvent(event);
}

}  // namespace nv
