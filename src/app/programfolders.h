// SPDX-License-Identifier: GPL-3.0-or-later
// Where the program keeps its two settings files and its batch journals, and
// finds its usage notes.
#pragma once

#include "platform/folders.h"

namespace nv {

struct ProgramFolders {
    // A build folder or a portable install: settings and notes beside the
    // executable. Left implicit so that a single folder reads as that layout.
    ProgramFolders(const QString &folder) : ProgramFolders(folder, folder) {}
    // Journals in journalFolder, or where that is empty in the journal/
    // subfolder of the settings folder.
    ProgramFolders(const QString &settingsFolder, const QString &usageNotesFolder,
                   const QString &journalFolder = QString())
        : settings(withTrailingSlash(settingsFolder)), usageNotes(withTrailingSlash(usageNotesFolder)),
          journals(journalFolder.isEmpty() ? settings + QStringLiteral("journal/") : withTrailingSlash(journalFolder))
    {
    }

    QString settings;     // DataFile.ini and ListFile.ini; ends in "/"
    QString usageNotes;   // Readme.txt and Readme.ja.txt; ends in "/"
    QString journals;     // the batch journals, made on first use; ends in "/"
};

// Decides the layout from where the executable lies, never from what can be
// written (root can write everywhere). An executable in <prefix>/bin with
// <prefix>/share/norvanta2/ beside it is installed: its settings live in
// $XDG_CONFIG_HOME/norvanta2/ (~/.config/norvanta2/ when that is unset or not
// a full path), its journals in $XDG_STATE_HOME/norvanta2/ (likewise
// ~/.local/state/norvanta2/) and its notes in <prefix>/share/norvanta2/.
// Anything else keeps settings and notes beside the executable and the
// journals in a journal/ folder there. The executable's folder comes without
// a "/" at the end, as Qt gives it.
ProgramFolders LocateProgramFolders(Folders &folders, const QString &executableFolder);

}  // namespace nv
