// SPDX-License-Identifier: GPL-3.0-or-later
#include "testplatform.h"

namespace nv {

MessageAnswer ScriptedDialogs::showMessage(const QString &text, MessageButtons buttons, MessageIcon icon,
                                           const QString &title)
{
    messages.push_back({text, buttons, icon, title});
    if (onMessage) onMessage(messages.back());
    if (!answers.empty()) {
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    ++unansweredMessages;
    switch (buttons) {
    case MessageButtons::YesNoCancel:
    case MessageButtons::UndoOrKeep: return MessageAnswer::Yes;
    case MessageButtons::YesNo: return MessageAnswer::No;
    default: return MessageAnswer::Ok;
    }
}

void ScriptedDialogs::setBusyPointer(bool busy)
{
    busyDepth += busy ? 1 : -1;
    if (busy) ++busyShown;
}

void ScriptedDialogs::letEventsRun()
{
    if (onLetEventsRun) onLetEventsRun();
}

void RecordingDesktop::setRegistryValue(const QString &keyName, const QString &valueName, const RegistryValue &value)
{
    m_registry.insert({keyName, valueName}, value);
}

void RecordingDesktop::openUrl(const QString &url) { openedUrls.push_back(url); }

bool RecordingDesktop::startProgram(const QString &program)
{
    if (program.isEmpty()) return false;   // as no system starts a program without a name
    startedPrograms.push_back(program);
    return true;
}

QString RecordingDesktop::findProgram(const QString &name) { return programsOnPath.value(name); }

FsResult<RegistryValue> RecordingDesktop::readRegistryValue(RegistryRoot, const QString &keyName,
                                                            const QString &valueName)
{
    const auto found = m_registry.constFind({keyName, valueName});
    if (found == m_registry.constEnd()) return {{}, FsStatus::failure(FsFault::Missing, QString())};
    return {*found, FsStatus::success()};
}

std::vector<Volume> TestVolumes::volumes() { return fakeVolumes.empty() ? PosixVolumes::volumes() : fakeVolumes; }

TestPlatform::TestPlatform()
    : FaultyFolders(m_folders, *this), FaultyTextFiles(m_textFiles, *this), FaultyBatchFiles(m_batchFiles, *this),
      FaultyMedia(m_media, *this), FaultyTrash(m_trash, *this), FaultyJournalFiles(m_journalFiles, *this),
      m_trash(homeTrash())
{
}

FsResult<std::vector<FileEntry>> TestPlatform::listPlainFiles(const QString &folder, bool withTimes)
{
    listings.push_back({folder, withTimes});
    return FaultyFolders::listPlainFiles(folder, withTimes);
}

FsResult<VolumeFacts> TestPlatform::volumeFacts(const QString &folder)
{
    return run(Operation::VolumeFacts, folder, [&] { return TestVolumes::volumeFacts(folder); });
}

}  // namespace nv
