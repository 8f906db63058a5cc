// SPDX-License-Identifier: GPL-3.0-or-later
// Form4, the usage viewer: the usage notes that ship with the program, read
// once when the window opens, unwrapped, with both scroll bars.
#pragma once

#include "platform/textfiles.h"

#include <QWidget>

class QPlainTextEdit;
class QPushButton;

namespace nv {

class Form4 : public QWidget {
    Q_OBJECT
public:
    // A window of its own that is not modal; it is deleted when closed and
    // with its parent, the main window.
    Form4(TextFiles &textFiles, const QString &notesFolder, QWidget *parent = nullptr);

    void Command1_Click();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QPlainTextEdit *Text1;
    QPushButton *Command1;

    void Form_Load(TextFiles &textFiles, const QString &notesFolder);
};

}  // namespace nv
