// SPDX-License-Identifier: GPL-3.0-or-later
// Option 5 in the main window: the selection takes in whole photo sets, and
// the user agrees before files that were not selected are touched.
#include "app/form1.h"

#include "naming/copyplan.h"
#include "naming/photosets.h"
#include "panes/folderlist.h"

namespace nv {

std::optional<SetSelection> Form1::selectWholeSets(const QStringList &rows, const std::vector<bool> &chosen)
{
    // Asked of the file system's kind, never by creating a file: a
    // write-protected card is a source like any other.
    const QString folder = Dir1->highlightedPath();
    const FsResult<VolumeFacts> facts = m_platform.volumes.volumeFacts(folder);
    if (!facts.ok()) {
        tell(m_platform.dialogs, tr("リネーム元のフォルダ「%1」を確かめられません。\n%2\n"
                                                "ファイルは一つも処理していません。")
                                     .arg(shownName(folder), facts.status.reason));
        return std::nullopt;
    }
    SetSelection selection = SelectWholeSets(rows, chosen, facts.value.foldsLetterCase);
    if (selection.followerCount == 0) return selection;
    const MessageAnswer answer = m_platform.dialogs.showMessage(
        tr("選択した %1 件と同じ組の %2 件も処理します。よろしいですか？")
            .arg(selection.chosenCount)
            .arg(selection.followerCount),
        MessageButtons::OkCancel, MessageIcon::None);
    if (answer != MessageAnswer::Ok) return std::nullopt;
    return selection;
}

}  // namespace nv
