// SPDX-License-Identifier: GPL-3.0-or-later
// frmAbout, the about box: title, version, description, the link to the
// program's page, and a button that starts the system-information program.
#pragma once

#include "platform/desktop.h"
#include "platform/dialogs.h"
#include "platform/folders.h"

#include <QDialog>
#include <QPalette>

class QLabel;
class QFrame;
class QPushButton;

namespace nv {

class frmAbout : public QDialog {
    Q_OBJECT
public:
    // Not modal; deleted when closed and with its parent, the main window.
    frmAbout(Desktop &desktop, Folders &folders, Dialogs &dialogs, const QString &notesFolder,
             QWidget *parent = nullptr);

    void cmdOK_Click();
    void cmdSysInfo_Click();
    void Label1_Click();
    void Form_MouseMove();
    void lblDescription_MouseMove();
    void Label1_MouseMove();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    Desktop &m_desktop;
    Folders &m_folders;
    Dialogs &m_dialogs;
    QLabel *picIcon;
    QLabel *lblTitle;
    QLabel *lblVersion;
    QLabel *lblDescription;
    QLabel *Label1;
    QFrame *Line1;
    QLabel *lblDisclaimer;
    QPushButton *cmdOK;
    QPushButton *cmdSysInfo;

    void Form_Load();
    void arrange();
    void showLinkAs(QPalette::ColorRole colour);
};

}  // namespace nv
