// A main window over a temporary program folder and the scripted platform,
// for the widget tests.
#pragma once

#include "app/form1.h"
#include "tempfolder.h"
#include "testplatform.h"

#include <memory>

namespace nv {

struct FormFixture {
    TempFolder programFolder;
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

// The texts of a file list, in display order.
QStringList rowNames(const FileListView *list);

}  // namespace nv
