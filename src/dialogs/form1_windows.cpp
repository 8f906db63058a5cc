// SPDX-License-Identifier: GPL-3.0-or-later
// The windows opened from the main window's menu: one of each at most, not
// modal, brought forward when chosen again, closed with the main window.
#include "app/form1.h"

#include "dialogs/form2.h"
#include "dialogs/form4.h"
#include "dialogs/frmabout.h"

namespace nv {
namespace {

void bringForward(QWidget *window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace

void Form1::mnuOpt1_Click()
{
    if (!m_form2) {
        m_form2 = new Form2(
            Program, [this] { applyAddPrefix(); }, [this] { applyCaptureTimeOrder(); }, [this] { saveOptions(); },
            this);
    }
    bringForward(m_form2);
}

void Form1::mnuHelp_Click()
{
    if (!m_form4) m_form4 = new Form4(m_platform.textFiles, m_folders.usageNotes, this);
    bringForward(m_form4);
}

void Form1::mnuVer1_Click()
{
    if (!m_about) {
        m_about = new frmAbout(m_platform.desktop, m_platform.folders, m_platform.dialogs, m_folders.usageNotes, this);
    }
    bringForward(m_about);
}

void Form1::closeAuxiliaryWindows()
{
    if (m_form2) m_form2->close();
    if (m_form4) m_form4->close();
    if (m_about) m_about->close();
}

}  // namespace nv
