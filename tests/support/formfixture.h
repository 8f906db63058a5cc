// SPDX-License-Identifier: GPL-3.0-or-later
// A main window over a temporary program folder and the scripted platform,
// for the widget tests.
#pragma once

#include "app/form1.h"
#include "tempfolder.h"
#include "testplatform.h"

#include <QComboBox>

#include <memory>

namespace nv {

struct FormFixture {
    // Makes home the user's home folder, where a first start opens the panes.
    FormFixture();

    TempFolder programFolder;
    TempFolder home;
    TestPlatform platform;
    std::unique_ptr<Form1> form;

    // Builds the window and runs its start-up.
    Form1 &start();
    // Closes the window as its close box would, and builds a new one.
    Form1 &restart();

    void writeDataFile(const QByteArray &bytes) { programFolder.addFile(QStringLiteral("DataFile.ini"), bytes); }
    void writeSettings(const SettingsRecord &record);
    void writeListFile(const QByteArray &bytes) { programFolder.addFile(QStringLiteral("ListFile.ini"), bytes); }
    bool dataFileExists() const { return programFolder.exists(QStringLiteral("DataFile.ini")); }
    SettingsRecord savedSettings();
};

// Clicks, or double-clicks, the row of a file list that shows name, as the
// mouse would; false when no visible row shows it.
bool clickRow(FileListView *list, const QString &name, Qt::KeyboardModifiers modifiers = {}, bool twice = false);

// Opens the options window from the main window's menu, or brings it forward.
Form2 &openOptions(Form1 &form);
// Clicks a box of the options window as the mouse would.
void clickOption(Form2 &window, const char *box);

// The entries of a combo box's list, in order.
QStringList comboEntries(const QComboBox *combo);

}  // namespace nv
