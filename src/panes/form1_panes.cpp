// SPDX-License-Identifier: GPL-3.0-or-later
// Listing the two panes, drive and folder navigation, sorting and selection.
#include "app/form1.h"

#include "app/optionsfile.h"
#include "panes/drivelist.h"
#include "panes/filelistview.h"
#include "panes/folderlist.h"

#include <QCheckBox>
#include <QPushButton>

#include <algorithm>

namespace nv {

Form1::Pane Form1::sourcePane()
{
    return {Drive1, Dir1, ListView1, &Form1::SourceFolder, &Form1::Drive1_Change, &Form1::Dir1_Change};
}

Form1::Pane Form1::targetPane()
{
    return {Drive2, Dir2, ListView2, &Form1::TargetFolder, &Form1::Drive2_Change, &Form1::Dir2_Change};
}

// --- listing -------------------------------------------------------------------------

Form1::Listing Form1::listInto(const Pane &pane, const QString &folder)
{
    // The report view reads a file's time when its row is shown; the
    // capture-time order needs every time to know which capture times it has
    // read. It orders the photos to be numbered; the destination stays in name
    // order, so that its last row is the highest number of a series.
    const bool detailed = !Check2->isChecked();
    const bool byCaptureTime = Program.CaptureTimeOrder == 1 && pane.list == ListView1;
    FsResult<std::vector<FileEntry>> listing = m_platform.folders.listPlainFiles(folder, byCaptureTime);
    if (!listing.ok()) return {listing.status};
    FileListModel *files = pane.list->files();
    const quint64 fill = files->fillCount();
    // While capture times are read the window handles its events, and a
    // listing of this pane started meanwhile takes over. Not during the
    // start-up: a window closed before the event loop runs would leave the
    // program running without one.
    const auto carryOn = [&] {
        if (!Program.StartupDone) return true;
        m_platform.dialogs.letEventsRun();
        return files->fillCount() == fill;
    };
    // The rows are set once, in their final order, before anything (the
    // continuation scan above all) reads them.
    if (byCaptureTime && !m_captureTimes.order(folder, listing.value, carryOn)) return {FsStatus::success(), true};
    files->setRows(std::move(listing.value), detailed, folder);
    this->*pane.folder = folder;
    return {};
}

bool Form1::refreshPane(const Pane &pane)
{
    pane.list->files()->clearRows();
    const QString folder = pane.dir->highlightedPath();
    Listing listing;
    {
        BusyPointer busy(m_platform.dialogs);
        listing = listInto(pane, folder);
    }
    // A folder that went away since it was opened (a card pulled out) says
    // why instead of showing nothing silently, and the pane moves on.
    if (!listing.status.ok()) folderFailed(pane, folder, listing.status);
    return listing.shown();
}

void Form1::RefreshSourceList()
{
    // During the start-up a change of the source folder or of the view only
    // marks the pane; the start-up lists it once, when both are settled.
    if (!Program.StartupDone) {
        m_sourceListingDue = true;
        return;
    }
    refreshPane(sourcePane());
}

void Form1::RefreshTargetList()
{
    if (!Program.StartupDone) return;
    // A folder that could not be listed says nothing about the series to
    // continue, so the fields keep what the user had; a listing overtaken by
    // a newer one leaves the fields to the newer one's scan.
    if (refreshPane(targetPane())) ScanContinuation();
}

bool Form1::loadPane(const Pane &pane)
{
    pane.list->files()->clearRows();
    if (tryLoadPane(pane)) return true;
    fallBackToStartFolder();
    return false;
}

bool Form1::tryLoadPane(const Pane &pane)
{
    const QString folder = this->*pane.folder;
    if (!folder.startsWith(kRootFolder)) return false;   // empty, or not a full path
    pane.drive->setDrive(folder);
    return pane.dir->openFolder(folder).ok() && listInto(pane, pane.dir->highlightedPath()).status.ok();
}

void Form1::LoadSourceList()
{
    if (loadPane(sourcePane())) m_sourceListingDue = false;
}

void Form1::LoadTargetList() { loadPane(targetPane()); }

void Form1::fallBackToStartFolder()
{
    // Settings that led to a folder that cannot be listed are forgotten; only
    // a settings file of exactly that name is ours to delete.
    if (m_settingsFromFile) {
        const FsResult<std::vector<FileEntry>> files = m_platform.folders.listPlainFiles(m_folders.settings, false);
        const bool settingsPresent = std::any_of(files.value.begin(), files.value.end(), [](const FileEntry &entry) {
            return entry.name == QLatin1String("DataFile.ini");
        });
        if (settingsPresent) forgetSettingsFile();
    }
    openBothPanes(m_platform.folders.startFolder());
}

void Form1::openBothPanes(const QString &folder)
{
    Drive1->setDrive(folder);
    Drive2->setDrive(folder);
    Dir1->openFolder(folder);
    Dir2->openFolder(folder);
}

void Form1::Check2_Click()
{
    ReportView = Check2->isChecked() ? 0 : 1;
    ListView1->showNamesOnly(Check2->isChecked());
    ListView2->showNamesOnly(Check2->isChecked());
    RefreshSourceList();
    RefreshTargetList();
}

void Form1::applyCaptureTimeOrder()
{
    saveOptions();
    RefreshSourceList();
}

void Form1::saveOptions()
{
    const QString path = m_folders.settings + kOptionsFileName;
    const FsStatus written =
        WriteOptionsFile(m_platform.textFiles, path, {Program.CaptureTimeOrder, Program.PhotoSets});
    if (!written.ok()) reportSettingsNotSaved(path, written);
}

void Form1::Command7_Click()
{
    RefreshSourceList();
    setRenameButtonsEnabled(false);
}

void Form1::reportFolderFailure(const QString &folder, const FsStatus &status)
{
    m_platform.dialogs.showMessage(tr("フォルダを開けませんでした。\n%1\n%2").arg(folder, status.reason),
                                   MessageButtons::Ok, MessageIcon::Exclamation);
}

void Form1::folderFailed(const Pane &pane, const QString &folder, const FsStatus &status)
{
    reportFolderFailure(folder, status);
    // A pane left on a folder that is gone (a card pulled out) would give the
    // same message at every click, and the drive list may offer no other
    // drive: the pane goes up to where it can list again, the root at worst,
    // and the drive list follows. Each step is a change of folder, listed as
    // one, so a folder that fails in turn leads further up.
    const QString above = listableFolderAbove(folder);
    if (above.isEmpty()) return;
    m_platform.volumes.setCurrentFolder(above);   // what the drive list opens when it follows
    const QString before = pane.dir->path();
    if (!pane.dir->openFolder(above).ok()) return;
    pane.drive->setDrive(pane.dir->path());
    if (pane.dir->path() == before) (this->*pane.folderChanged)();   // the open folder itself is listed again
}

QString Form1::listableFolderAbove(const QString &folder)
{
    QString above = withTrailingSlash(folder);
    while (above.size() > kRootFolder.size()) {
        above.truncate(above.lastIndexOf(QLatin1Char('/'), -2) + 1);
        if (m_platform.folders.checkFolder(above).ok()) return above;
    }
    return {};
}

void Form1::readDriveAgain(const Pane &pane)
{
    const QString before = pane.dir->path();
    (this->*pane.driveChanged)();
    if (pane.dir->path() == before) (this->*pane.folderChanged)();
}

// --- drives and folders ------------------------------------------------------------------

bool Form1::openDriveFolder(DriveList *drive, FolderList *dir)
{
    for (;;) {
        const FsStatus status = dir->openFolder(m_platform.volumes.currentFolderOf(drive->drive()));
        if (status.ok()) return true;
        const bool notReady = status.fault == FsFault::NotReady || !m_platform.folders.checkFolder(drive->drive()).ok();
        if (!notReady) {
            m_platform.dialogs.showMessage(tr("予期しないエラーが発生しましたので終了します。"),
                                           MessageButtons::Ok, MessageIcon::None);
            return false;
        }
        // OK tries again; Escape or the close box gives up and goes back to
        // the drive chosen before, which the panes still show.
        const MessageAnswer answer = m_platform.dialogs.showMessage(
            tr("フロッピディスクの準備ができていません。"), MessageButtons::Ok, MessageIcon::None);
        if (answer == MessageAnswer::Dismissed) {
            drive->restoreDrive(drive->previousDrive());
            return false;
        }
    }
}

void Form1::Drive1_Change()
{
    if (!openDriveFolder(Drive1, Dir1)) return;
    setRenameButtonsEnabled(false);
}

void Form1::Drive2_Change() { openDriveFolder(Drive2, Dir2); }

void Form1::Dir1_Change()
{
    m_platform.volumes.setCurrentFolder(Dir1->path());
    RefreshSourceList();
    if (Program.SameFolder == 1) {
        const FsStatus followed = Dir2->openFolder(Dir1->path());
        // Renaming into a folder the user did not mean would be worse than a message.
        if (!followed.ok()) reportFolderFailure(Dir1->path(), followed);
        Drive2->setDrive(Dir1->path());
        m_platform.volumes.setCurrentFolder(Dir2->path());
        RefreshTargetList();
    }
    setRenameButtonsEnabled(false);
}

void Form1::Dir2_Change()
{
    m_platform.volumes.setCurrentFolder(Dir2->path());
    RefreshTargetList();
}

void Form1::setRenameButtonsEnabled(bool enabled)
{
    Command3->setEnabled(enabled);
    Command4->setEnabled(enabled);
}

// --- sorting and selection -------------------------------------------------------------------

void Form1::ListView1_ColumnClick(int header) { ListView1->files()->headerClicked(header - 1); }

void Form1::ListView2_ColumnClick(int header) { ListView2->files()->headerClicked(header - 1); }

void Form1::ListView1_Click() { setRenameButtonsEnabled(true); }

void Form1::ListView1_MouseDown(int button)
{
    if (button == 2) ListView1->selectAllRows();
}

}  // namespace nv
