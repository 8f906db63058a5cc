// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up and shut-down of the main window.
#include "app/form1.h"

#include "app/optionsfile.h"
#include "app/pickawarecombobox.h"
#include "naming/extensionlist.h"
#include "panes/drivelist.h"
#include "panes/filelistview.h"
#include "panes/folderlist.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>

#include <algorithm>
#include <limits>

namespace nv {
namespace {

const QStringList kBuiltInExtensions = {QStringLiteral("bmp"), QStringLiteral("jpg"), QStringLiteral("gif")};
constexpr int kHighestDigitCount = 15;

}  // namespace

void Form1::Form_Load()
{
    DataFilePath = m_folders.settings + QStringLiteral("DataFile.ini");
    ListFilePath = m_folders.settings + QStringLiteral("ListFile.ini");
    setColumnWidths();
    VScroll1->setRange(0, kHighestDigitCount);

    RecoverUnfinishedBatches();
    show();
    for (int digits = 0; digits <= kHighestDigitCount; ++digits) List1->addItem(QString::number(digits));
    Combo2->setFocus();

    fillExtensionList();
    const SettingsRecord record = readSettings();
    const OptionsRecord options = ReadOptionsFile(m_platform.textFiles, m_folders.settings + kOptionsFileName);
    Program.CaptureTimeOrder = options.CaptureTimeOrder;
    Program.PhotoSets = options.PhotoSets;

    List1->setCurrentRow(record.DigitIndex);
    VScroll1->setValue(record.DigitIndex);
    Combo1->setCurrentIndex(m_extensionListRead ? record.ExtensionIndex : -1);
    Combo2->setEditText(record.HeadName);
    Text2->setText(record.FirstNumberText);
    // The view is settled before the first listing, so that each pane is read
    // once, in the view it shows; the source re-listings that the view and
    // the folder changes ask for meanwhile wait for the end of the start-up.
    Check2->setChecked(ReportView != 1);
    LoadSourceList();
    LoadTargetList();
    // A fallback moved the source pane after its listing.
    if (m_sourceListingDue) refreshPane(sourcePane());
    Program.StartupDone = 1;
    InstallMessageHook();
    updateUndoAction();
}

void Form1::fillExtensionList()
{
    QStringList entries = kBuiltInExtensions;
    if (m_platform.folders.fileExists(ListFilePath)) {
        const FsResult<QStringList> read = ReadExtensionList(m_platform.textFiles, ListFilePath);
        m_extensionListRead = read.ok();
        entries = read.value;
        if (!m_extensionListRead) {
            m_platform.dialogs.showMessage(
                tr("拡張子の一覧を読み込めませんでした。\n%1\n%2\n"
                               "一覧を空にして始めます。このファイルは残し、登録や削除をしても書き換えません。")
                    .arg(ListFilePath, read.status.reason),
                MessageButtons::Ok, MessageIcon::Exclamation);
        }
    }
    // Sorted once and added in one go: placing entries one by one grows with
    // the square of a long list. Filling selects nothing: the saved index
    // decides, a step later.
    std::stable_sort(entries.begin(), entries.end(), ExtensionLess);
    const QSignalBlocker blocker(Combo1);
    Combo1->addItems(entries);
    Combo1->setCurrentIndex(-1);
}

SettingsRecord Form1::firstStartSettings()
{
    // Both panes where the user's photos most likely are. The destination is
    // not listed yet, so TargetFolder stays empty until it is.
    const QString start = m_platform.folders.startFolder();
    openBothPanes(start);
    SourceFolder = start;
    ReportView = 0;
    return SettingsRecord();
}

SettingsRecord Form1::readSettings()
{
    if (!m_platform.folders.fileExists(DataFilePath)) return firstStartSettings();

    const SettingsReadResult read = ReadSettingsFile(m_platform.textFiles, DataFilePath);
    if (read.outcome == SettingsReadOutcome::Unreadable) {
        // A disk or permission fault says nothing about the settings: the
        // file stays for the next start, which may read it again.
        m_platform.dialogs.showMessage(
            tr("設定を読み込めませんでした。\n%1\n%2").arg(DataFilePath, read.readStatus.reason),
            MessageButtons::Ok, MessageIcon::Exclamation);
        return firstStartSettings();
    }
    m_settingsFromFile = true;
    SourceFolder = read.record.SourceFolder;
    TargetFolder = read.record.TargetFolder;
    ReportView = read.record.ReportView;
    Program.ShowContinuation = read.record.ShowContinuation;
    Program.HeadNameHistory = read.record.HeadNameHistory;
    if (read.outcome == SettingsReadOutcome::CutShort || !settingsFitTheWindow(read.record))
        return recoverFromBadSettings();
    return read.record;   // an empty file reads as the values of a first start
}

bool Form1::settingsFitTheWindow(const SettingsRecord &record) const
{
    // An extension list that could not be read says nothing about the saved
    // index into it; the box then starts empty instead.
    const int extensions = m_extensionListRead ? Combo1->count() : std::numeric_limits<int>::max();
    return record.DigitIndex >= 0 && record.DigitIndex <= kHighestDigitCount && record.ExtensionIndex >= -1
           && record.ExtensionIndex < extensions;
}

SettingsRecord Form1::recoverFromBadSettings()
{
    // A record cut short or holding values the window cannot show: forget the
    // file and start afresh. The history slots read so far stay.
    forgetSettingsFile();
    const QString start = m_platform.folders.startFolder();
    SourceFolder = start;
    TargetFolder = start;
    ReportView = 0;
    Program.ShowContinuation = 0;
    SettingsRecord recovered;
    recovered.FirstNumberText = QStringLiteral("1");
    return recovered;
}

void Form1::forgetSettingsFile()
{
    const FsStatus deleted = m_platform.batchFiles.deleteFile(DataFilePath);
    // Kept, the file would lead the next start the same way.
    if (!deleted.ok() && deleted.fault != FsFault::Missing) {
        m_platform.dialogs.showMessage(
            tr("使えない設定ファイルを削除できませんでした。\n%1\n%2\n次の起動でも同じ設定が読み込まれます。")
                .arg(DataFilePath, deleted.reason),
            MessageButtons::Ok, MessageIcon::Exclamation);
    }
}

void Form1::Command5_Click()
{
    SettingsRecord record;
    record.SourceFolder = SourceFolder;
    record.TargetFolder = TargetFolder;
    record.DigitIndex = List1->currentRow();
    // The entry that the box shows, also when it was typed rather than picked.
    record.ExtensionIndex = Combo1->findText(Combo1->currentText());
    record.HeadName = Combo2->currentText();
    record.FirstNumberText = Text2->text();
    record.ReportView = ReportView;
    record.ShowContinuation = Program.ShowContinuation;
    record.HeadNameHistory = Program.HeadNameHistory;
    const FsStatus written = WriteSettingsFile(m_platform.textFiles, DataFilePath, record);
    if (!written.ok()) reportSettingsNotSaved(DataFilePath, written);
    close();
}

void Form1::reportSettingsNotSaved(const QString &path, const FsStatus &status)
{
    m_platform.dialogs.showMessage(tr("設定を保存できませんでした。\n%1\n%2").arg(path, status.reason),
                                   MessageButtons::Ok, MessageIcon::Exclamation);
}

void Form1::closeEvent(QCloseEvent *event)
{
    // Every way of closing ends the program; only the exit button has saved.
    RemoveMessageHook();
    closeAuxiliaryWindows();
    event->accept();
}

}  // namespace nv
