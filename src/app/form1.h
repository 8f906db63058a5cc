// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: both folder panes, the naming fields, the action buttons and
// the thumbnail box. Controls carry their names as object names; each handler
// is a member named after its control and event, and every connection is made
// in connectHandlers(), before the start-up sets the first values, so that a
// value set from code runs the same handler as the user's change.
//
// The handlers are defined beside the rules they apply: start-up and shut-down
// in app/, listing and navigation in panes/, the naming fields in naming/.
#pragma once

#include "app/digitlist.h"
#include "app/incomingtext.h"
#include "app/pickawarecombobox.h"
#include "app/programfolders.h"
#include "app/programstate.h"
#include "journal/batchroles.h"
#include "naming/copybatch.h"
#include "naming/namecomposer.h"
#include "panes/captureorder.h"
#include "platform/platformroles.h"

#include <QMainWindow>
#include <QStringList>

#include <functional>
#include <QPointer>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QProgressBar;
class QPushButton;
class QScrollBar;

namespace nv {

class DriveList;
class FileListView;
class FolderList;
class Form2;
class Form4;
class frmAbout;
struct SetSelection;

class Form1 : public QMainWindow {
    Q_OBJECT
public:
    // Takes every role of the platform and hands each rule and window the ones it uses.
    Form1(const PlatformRoles &platform, const ProgramFolders &folders, QWidget *parent = nullptr);
    ~Form1() override;

    // --- start-up and shut-down --------------------------------------------------
    void Form_Load();
    void Command5_Click();

    // --- listing and navigation -------------------------------------------------------
    void RefreshSourceList();
    void RefreshTargetList();
    void LoadSourceList();
    void LoadTargetList();
    void Check2_Click();
    void Command7_Click();
    void Drive1_Change();
    void Drive2_Change();
    void Dir1_Change();
    void Dir2_Change();
    // With option 1 on, sets the naming fields to continue the destination's
    // first numbered series; run after every re-listing of the destination.
    void ScanContinuation();

    // --- sorting and selection ----------------------------------------------------------
    void ListView1_ColumnClick(int header);
    void ListView2_ColumnClick(int header);
    void ListView1_Click();
    void ListView1_MouseDown(int button);

    // --- the naming fields ---------------------------------------------------------------
    void UpdatePreview();
    void Text2_Change();
    void Combo2_Change();
    void Combo2_Click();
    void Combo1_Click();
    void Combo1_Change();
    void List1_Click();
    void VScroll1_Change();
    void Check1_Click();

    // --- the batch rename, the prefix addition, the digit alignment, the extension replacement ---
    void Command3_Click();
    void Command6_Click();
    void Check3_Click();
    void RenameAligned();
    void Command4_Click();

    // --- continuing from a destination file -------------------------------------------------
    void ListView2_Click();

    // --- the extension list ----------------------------------------------------------------
    void Command1_Click();
    void Command2_Click();

    // --- head-name history and text from other programs ------------------------------------
    void FillHeadNameList();
    void InstallMessageHook();
    void RemoveMessageHook();
    // A text handed over by another program while the window runs.
    void MessageHook(const QString &text);

    // --- the thumbnail box ------------------------------------------------------------------
    void ListView1_DblClick();
    void ListView2_DblClick();
    void ShowThumbnail();

    // --- the windows of the menu ------------------------------------------------------------
    void mnuOpt1_Click();
    void mnuHelp_Click();
    void mnuVer1_Click();

    // --- taking batches back ----------------------------------------------------------------
    // Asks, then takes back the newest batch not taken back yet.
    void mnuUndo_Click();
    // The undo item names the batch it would take back, and is disabled without one.
    void updateUndoAction();
    // Before the window shows: offers to take back, or to keep, each batch a crash left unfinished.
    void RecoverUnfinishedBatches();

    // --- main-window variables ------------------------------------------------------------
    QString SourceFolder;
    QString TargetFolder;
    QString DataFilePath;
    QString ListFilePath;
    QString ThumbnailPath;
    int ReportView = 0;
    ProgramState Program;

    // --- controls ---------------------------------------------------------------------------
    DriveList *Drive1 = nullptr;
    FolderList *Dir1 = nullptr;
    FileListView *ListView1 = nullptr;
    DriveList *Drive2 = nullptr;
    FolderList *Dir2 = nullptr;
    FileListView *ListView2 = nullptr;
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr;
    QLabel *Label5 = nullptr, *Label6 = nullptr, *Label7 = nullptr, *Label8 = nullptr;
    PickAwareComboBox *Combo2 = nullptr;
    QLineEdit *Text2 = nullptr;
    DigitList *List1 = nullptr;
    QScrollBar *VScroll1 = nullptr;
    PickAwareComboBox *Combo1 = nullptr;
    QPushButton *Command1 = nullptr, *Command2 = nullptr, *Command3 = nullptr, *Command4 = nullptr;
    QPushButton *Command5 = nullptr, *Command6 = nullptr, *Command7 = nullptr;
    QCheckBox *Check1 = nullptr, *Check2 = nullptr, *Check3 = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
    QFrame *Picture1 = nullptr;
    QLabel *Image1 = nullptr;
    QPushButton *cmdStop = nullptr;   // 中止, beside the progress bar while a batch runs
    QMenu *mnuOpt = nullptr, *mnuEdit = nullptr, *mnuVer = nullptr;
    QAction *mnuOpt1 = nullptr, *mnuUndo = nullptr, *mnuHelp = nullptr, *mnuP = nullptr, *mnuVer1 = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    const PlatformRoles m_platform;
    const ProgramFolders m_folders;
    CaptureTimes m_captureTimes{m_platform.media, m_platform.dialogs};
    QPointer<Form2> m_form2;
    QPointer<Form4> m_form4;
    QPointer<frmAbout> m_about;
    IncomingTextChannel m_incomingText;
    BatchJournals m_journals{m_platform.journalFiles, m_platform.volumes, m_folders.journals};
    // The settings came from DataFile.ini, so a fallback at start-up forgets the file.
    bool m_settingsFromFile = false;
    // ListFile.ini was read, or there was none: only then may it be written,
    // so a file that could not be read keeps the user's extensions.
    bool m_extensionListRead = true;
    // The source pane changed during the start-up and waits for its listing.
    bool m_sourceListingDue = false;
    bool m_batchRunning = false;
    QStringList m_textsDuringBatch;

    void createControls();
    void createMenu();
    void arrangeControls();
    QSize firstSize(const QSize &designed) const;
    void applyControlTexts();
    void nameControls();
    void connectHandlers();

    // Start-up
    void setColumnWidths();
    void fillExtensionList();
    SettingsRecord readSettings();
    SettingsRecord firstStartSettings();
    SettingsRecord recoverFromBadSettings();
    bool settingsFitTheWindow(const SettingsRecord &record) const;
    void applyNamingFields(const SettingsRecord &record);

    // Listing
    struct Pane {
        DriveList *drive;
        FolderList *dir;
        FileListView *list;
        QString Form1::*folder;
        void (Form1::*driveChanged)();
        void (Form1::*folderChanged)();
    };
    Pane sourcePane();
    Pane targetPane();
    // A listing shows its rows, fails, or is overtaken by a newer listing of
    // the pane that ran while capture times were being read.
    struct Listing {
        FsStatus status;
        bool overtaken = false;
        bool shown() const { return status.ok() && !overtaken; }
    };
    bool refreshPane(const Pane &pane);
    bool loadPane(const Pane &pane);
    bool tryLoadPane(const Pane &pane);
    Listing listInto(const Pane &pane, const QString &folder);
    void fallBackToStartFolder();
    void openBothPanes(const QString &folder);
    void forgetSettingsFile();
    // A folder of the pane could not be listed or opened: says so, then moves
    // the pane to the nearest folder above it that can be listed.
    void folderFailed(const Pane &pane, const QString &folder, const FsStatus &status);
    QString listableFolderAbove(const QString &folder);
    // The drive chosen again: its current folder is opened and listed, also when it is on show.
    void readDriveAgain(const Pane &pane);
    bool openDriveFolder(DriveList *drive, FolderList *dir);
    void setRenameButtonsEnabled(bool enabled);

    // The events that enable, disable, show or hide controls of the window;
    // each applies its column of one table, the last event winning.
    enum class ModeEvent { PrefixOn, PrefixOff, AlignTicked, AlignUnticked };
    void applyModeEvent(ModeEvent event);
    // The prefix mode as option 3 stands, applied when its box is clicked.
    void applyAddPrefix();
    // Option 4 changed: it is saved and the source pane is listed in the new order.
    void applyCaptureTimeOrder();
    // Writes options 4 and 5 to Options.ini, each time one of them changes.
    void saveOptions();

    QString previewOfTheShownButton(const NamePreview &preview) const;
    // Writes into the naming fields that run the field's handler even when the
    // field already held the value, as a user's entry would.
    void writeHeadName(const QString &head);
    void writeNumberText(const QString &text);
    void writeDigitCount(int digits);
    // The selected source files, to be copied into the destination under names
    // still to be given.
    CopyBatchRequest copyRequest(BatchKind kind, bool askOnExisting);
    // The shared copy loop, listing both panes again once files changed.
    void runCopyBatch(const CopyBatchRequest &request);
    // With option 5 on: the selection with the unselected members of its photo
    // sets, once the user agreed to them; nothing when the user cancelled or
    // the source folder could not be asked how it compares names.
    std::optional<SetSelection> selectWholeSets(const QStringList &rows, const std::vector<bool> &chosen);
    // Runs a batch with the window in its batch state (only the stop acts),
    // then lists both panes again where batch says files changed, brings the
    // undo item up to date, takes the texts that came meanwhile, and closes
    // the window where the user asked to meanwhile.
    void runInBatchState(const std::function<bool(const BatchRoles &)> &batch);
    // Takes back the batch of a journal without asking; false where the journal cannot be read.
    void undoJournal(const BatchRoles &roles, const QString &path);
    void showThumbnailOf(FolderList *dir, FileListView *list);
    void closeAuxiliaryWindows();
    void writeExtensionList(const QStringList &entries);
    void reportFolderFailure(const QString &folder, const FsStatus &status);
    void reportSettingsNotSaved(const QString &path, const FsStatus &status);
};

}  // namespace nv
