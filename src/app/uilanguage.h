// SPDX-License-Identifier: GPL-3.0-or-later
// The language of the window and of the sender command's messages. The
// Japanese texts are written in the code; other languages come from
// translation files that ship beside the usage notes. Only what the user reads
// changes: settings files, their encodings and the names the program writes
// stay the same in every language.
#pragma once

#include <QString>

class QCoreApplication;

namespace nv {

enum class UiLanguage { Japanese, English };

// English when the first language the user prefers is not Japanese and the
// English translation, looked for beside the executable and then in the notes
// folder of an installed program, can be loaded; Japanese otherwise. A C or
// POSIX locale counts as Japanese whatever LANGUAGE says, as it does for the C
// library's messages, so that scripts and tests see the texts they were
// written for. The application owns the installed translation.
UiLanguage installUiLanguage(QCoreApplication &application, const QString &executableFolder);

}  // namespace nv
