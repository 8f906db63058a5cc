// SPDX-License-Identifier: GPL-3.0-or-later
// Form2, the options window: five program-wide options, each taking effect the
// moment its box is clicked. It holds no state of its own: the boxes show the
// options as they stand when it opens, and only its button closes it.
#pragma once

#include "app/programstate.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QGroupBox;
class QPushButton;

namespace nv {

class Form2 : public QDialog {
    Q_OBJECT
public:
    // A window of its own that is not modal; it is deleted when closed and
    // with its parent, the main window. addPrefixChanged runs after every
    // change of option 3, captureTimeOrderChanged after every change of
    // option 4 and photoSetsChanged after every change of option 5, so that
    // the main window follows them.
    Form2(ProgramState &program, std::function<void()> addPrefixChanged,
          std::function<void()> captureTimeOrderChanged, std::function<void()> photoSetsChanged,
          QWidget *parent = nullptr);

    void Check1_Click();
    void Check2_Click();
    void Check3_Click();
    void Check4_Click();
    void Check5_Click();
    void Command1_Click();

private:
    ProgramState &m_program;
    std::function<void()> m_addPrefixChanged;
    std::function<void()> m_captureTimeOrderChanged;
    std::function<void()> m_photoSetsChanged;
    QGroupBox *Frame1;
    QCheckBox *Check1, *Check2, *Check3, *Check4, *Check5;
    QPushButton *Command1;

    void Form_Load();
};

}  // namespace nv
