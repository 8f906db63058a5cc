// SPDX-License-Identifier: GPL-3.0-or-later
// The register and delete buttons of the extension box. ListFile.ini is
// rewritten after each change, so the list survives any way of closing.
#include "app/form1.h"

#include "naming/extensionlist.h"
#include "panes/filelistview.h"

#include <QComboBox>

namespace nv {
namespace {

QStringList extensionEntries(const QComboBox *combo)
{
    QStringList entries;
    for (int i = 0; i < combo->count(); ++i) entries.append(combo->itemText(i));
    return entries;
}

// Shows a changed list without running the box's handlers, which would move
// the focus; the caller refreshes the preview when the text changed.
void showExtensionEntries(QComboBox *combo, const QStringList &entries, int selected, const QString &text)
{
    const QSignalBlocker blocker(combo);
    combo->clear();
    combo->addItems(entries);
    combo->setCurrentIndex(selected);
    combo->setEditText(text);
}

}  // namespace

void Form1::Command1_Click()
{
    const QString text = Combo1->currentText();
    QStringList entries = extensionEntries(Combo1);
    // An empty or already listed text changes nothing, and the focus stays here.
    if (!RegisterExtension(entries, text)) return;
    // The selected entry stays selected, one place further down when the new
    // one lands above it.
    int selected = Combo1->currentIndex();
    if (selected >= 0 && entries.indexOf(text) <= selected) ++selected;
    showExtensionEntries(Combo1, entries, selected, text);
    writeExtensionList(entries);
    ListView1->setFocus();
}

void Form1::Command2_Click()
{
    QStringList entries = extensionEntries(Combo1);
    const ExtensionDeletion deletion = DeleteExtension(entries, Combo1->currentText());
    if (!deletion.writeList) return;
    if (deletion.removed) {
        showExtensionEntries(Combo1, entries, -1, QString());
        UpdatePreview();
    }
    writeExtensionList(entries);
    ListView1->setFocus();
}

void Form1::writeExtensionList(const QStringList &entries)
{
    // The window keeps the changed list; the user learns that the file did not.
    if (!m_extensionListRead) {
        // Written now, the file would hold only what this run knows, and the
        // extensions it could not read would be gone.
        const QString text = tr("拡張子の一覧を保存できません。\n%1\n"
                                            "起動時に読み込めなかったファイルです。書き換えると、登録してあった拡張子が失われます。")
                                 .arg(ListFilePath);
        m_platform.dialogs.showMessage(text, MessageButtons::Ok, MessageIcon::Exclamation);
        return;
    }
    const FsStatus written = WriteExtensionList(m_platform.textFiles, ListFilePath, entries);
    if (!written.ok()) {
        const QString text = tr("拡張子の一覧を保存できませんでした。\n%1\n%2").arg(ListFilePath, written.reason);
        m_platform.dialogs.showMessage(text, MessageButtons::Ok, MessageIcon::Exclamation);
    }
}

}  // namespace nv
