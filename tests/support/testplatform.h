// SPDX-License-Identifier: GPL-3.0-or-later
// The platform of the tests: the real POSIX roles over temporary folders, each
// behind a wrapper that fails calls on demand (one CallFaults for them all), a
// message box that answers from a script and records what it was asked,
// volumes that the test chooses, a desktop that records what it was asked to
// open and start, and a home trash of its own in a temporary folder.
#pragma once

#include "faultyroles.h"
#include "tempfolder.h"

#include "platform/desktop.h"
#include "platform/desktopplatform.h"
#include "platform/dialogs.h"
#include "platform/posixjournalfiles.h"
#include "platform/posixplatform.h"
#include "platform/posixtrash.h"

#include <QMap>
#include <deque>
#include <functional>

namespace nv {

struct ShownMessage {
    QString text;
    MessageButtons buttons;
    MessageIcon icon;
    QString title;   // as the caller gave it; empty means the application title
};

class ScriptedDialogs : public Dialogs {
public:
    // Answers for the next message boxes, in order. A box with no answer left
    // answers with its first button and is counted in unansweredMessages.
    std::deque<MessageAnswer> answers;
    std::vector<ShownMessage> messages;
    int unansweredMessages = 0;
    // Runs as each box is shown, before it is answered (a medium inserted meanwhile).
    std::function<void(const ShownMessage &)> onMessage;

    int busyDepth = 0;
    int busyShown = 0;   // how many times the pointer became busy
    std::function<void()> onLetEventsRun;

    MessageAnswer showMessage(const QString &text, MessageButtons buttons, MessageIcon icon,
                              const QString &title = QString()) override;
    void setBusyPointer(bool busy) override;
    void letEventsRun() override;
};

// Addresses and programs are recorded, not opened; the registry and the search
// path hold what the test puts there.
class RecordingDesktop : public Desktop {
public:
    std::vector<QString> openedUrls;
    std::vector<QString> startedPrograms;
    QMap<QString, QString> programsOnPath;   // name -> full path
    void setRegistryValue(const QString &keyName, const QString &valueName, const RegistryValue &value);

    void openUrl(const QString &url) override;
    bool startProgram(const QString &program) override;
    QString findProgram(const QString &name) override;
    FsResult<RegistryValue> readRegistryValue(RegistryRoot root, const QString &keyName,
                                              const QString &valueName) override;

private:
    QMap<std::pair<QString, QString>, RegistryValue> m_registry;   // (key, value name) -> value
};

// The real mounts, or the volumes the test chooses.
class TestVolumes : public PosixVolumes {
public:
    std::vector<Volume> fakeVolumes;   // the volumes the drive lists offer; the real mounts when empty

    std::vector<Volume> volumes() override;
};

class TestPlatform : public CallFaults, public FaultyFolders, public FaultyTextFiles, public FaultyBatchFiles,
                     public FaultyMedia, public TestVolumes, public ScriptedDialogs, public RecordingDesktop,
                     public FaultyTrash, public FaultyJournalFiles {
public:
    TestPlatform();
    TestPlatform(const TestPlatform &) = delete;
    TestPlatform &operator=(const TestPlatform &) = delete;

    // Every folder whose plain files were listed, in order, and whether times were read.
    std::vector<std::pair<QString, bool>> listings;

    FsResult<std::vector<FileEntry>> listPlainFiles(const QString &folder, bool withTimes) override;
    FsResult<VolumeFacts> volumeFacts(const QString &folder) override;

    // The home trash that stands in for the user's, made on first use.
    QString homeTrash() const { return m_trashHome.pathOf(QStringLiteral("Trash/")); }
    // The folder of the batch journals, made on first use.
    QString journalFolder() const { return m_trashHome.pathOf(QStringLiteral("journal/")); }

private:
    // The roles underneath the wrappers, built after them: a wrapper only
    // keeps a reference until a call comes.
    PosixFolders m_folders;
    PosixTextFiles m_textFiles;
    PosixBatchFiles m_batchFiles;
    FileMedia m_media;
    TempFolder m_trashHome;
    PosixTrash m_trash;
    PosixJournalFiles m_journalFiles;
};

}  // namespace nv
