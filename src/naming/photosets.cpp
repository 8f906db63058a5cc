// SPDX-License-Identifier: GPL-3.0-or-later
#include "naming/photosets.h"

#include <QCoreApplication>
#include <QHash>

#include <algorithm>

namespace nv {
namespace {

enum class SetKind { None, Member, Sidecar };

// The one list of the files that form sets, by extension in any letter case.
// A sidecar also forms a set by its stem (IMG_0001.xmp) where no member is
// named like the front of its name.
SetKind setKindOf(QStringView extension)
{
    static const QHash<QString, SetKind> kinds = [] {
        QHash<QString, SetKind> table;
        for (const char *member : {// pictures
                                   "jpg", "jpeg", "heic", "heif", "avif", "png", "tif", "tiff", "webp",
                                   // the RAW files of the common makers
                                   "cr2", "cr3", "crw", "nef", "nrw", "arw", "srf", "sr2", "raf", "orf", "rw2", "pef",
                                   "dng", "srw", "x3f", "3fr", "iiq", "rwl", "erf", "mos", "kdc",
                                   // the videos of live photos
                                   "mov", "mp4"})
            table.insert(QString::fromLatin1(member), SetKind::Member);
        // what developing programs write beside a photo
        for (const char *sidecar : {"xmp", "aae", "thm", "pp3", "dop"})
            table.insert(QString::fromLatin1(sidecar), SetKind::Sidecar);
        return table;
    }();
    return kinds.value(extension.toString().toCaseFolded(), SetKind::None);
}

// The extensions behind a member's stem, each equal to the typed extension in
// another letter case taking the typed spelling.
QString respelled(QStringView tail, const QString &extension)
{
    QString result;
    const QList<QStringView> parts = tail.split(u'.');
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const bool typed = !extension.isEmpty() && parts[i].compare(extension, Qt::CaseInsensitive) == 0;
        result += u'.';
        result += typed ? QStringView(extension) : parts[i];
    }
    return result;
}

}  // namespace

QString PhotoSets::key(QStringView name) const
{
    return foldsLetterCase ? name.toString().toCaseFolded() : name.toString();
}

PhotoSets FindPhotoSets(const QStringList &names, bool foldsLetterCase)
{
    PhotoSets sets;
    sets.foldsLetterCase = foldsLetterCase;
    const size_t count = size_t(names.size());
    sets.setOfRow.assign(count, PhotoSets::kNoSet);
    sets.stemLength.assign(count, 0);

    std::vector<qsizetype> dot(count, -1);   // of the extension, for the names that can join a set
    std::vector<SetKind> kinds(count, SetKind::None);
    QHash<QString, qsizetype> rowByName;
    rowByName.reserve(qsizetype(count));
    for (size_t row = 0; row < count; ++row) {
        const QString &name = names[qsizetype(row)];
        const qsizetype at = name.lastIndexOf(u'.');
        if (name.startsWith(u'.') || at < 0) continue;
        kinds[row] = setKindOf(QStringView(name).mid(at + 1));
        if (kinds[row] == SetKind::None) continue;
        dot[row] = at;
        rowByName.insert(sets.key(name), qsizetype(row));
    }
    // The member that a sidecar is named after, by its whole name.
    std::vector<qsizetype> parent(count, -1);
    for (size_t row = 0; row < count; ++row) {
        if (kinds[row] == SetKind::Sidecar)
            parent[row] = rowByName.value(sets.key(QStringView(names[qsizetype(row)]).left(dot[row])), -1);
    }
    QHash<QString, int> setByStem;
    for (size_t row = 0; row < count; ++row) {
        if (dot[row] < 0) continue;
        // A sidecar's name holds its member's name, whose stem ends one "." further to the front.
        const QString &name = names[qsizetype(row)];
        qsizetype end = dot[row];
        for (qsizetype up = parent[row]; up >= 0; up = parent[size_t(up)]) end = name.lastIndexOf(u'.', end - 1);
        const QString stem = sets.key(QStringView(name).left(end));
        auto found = setByStem.constFind(stem);
        if (found == setByStem.cend()) found = setByStem.insert(stem, sets.count++);
        sets.setOfRow[row] = *found;
        sets.stemLength[row] = end;
    }
    return sets;
}

SetSelection SelectWholeSets(const QStringList &rows, const std::vector<bool> &chosen, bool foldsLetterCase)
{
    SetSelection selection;
    selection.sets = FindPhotoSets(rows, foldsLetterCase);
    const size_t count = size_t(rows.size());
    selection.chosen.assign(count, false);
    std::copy_n(chosen.begin(), std::min(count, chosen.size()), selection.chosen.begin());

    std::vector<bool> takesPart(size_t(selection.sets.count), false);
    for (size_t row = 0; row < count; ++row) {
        if (!selection.chosen[row]) continue;
        ++selection.chosenCount;
        const int set = selection.sets.setOfRow[row];
        if (set != PhotoSets::kNoSet) takesPart[size_t(set)] = true;
    }
    selection.selected = selection.chosen;
    for (size_t row = 0; row < count; ++row) {
        const int set = selection.sets.setOfRow[row];
        if (selection.chosen[row] || set == PhotoSets::kNoSet || !takesPart[size_t(set)]) continue;
        selection.selected[row] = true;
        ++selection.followerCount;
    }
    return selection;
}

NewNameRule SetSerialNameRule(const SetSelection &selection, const QStringList &rows, const QString &head,
                              qint32 start, int digits, const QString &extension)
{
    const PhotoSets &sets = selection.sets;
    // head + the next number, counted once per set and once per file in no set.
    NewNameRule numbered = SerialNameRule(head, start, digits, QString());
    std::vector<std::optional<QString>> setStems(size_t(sets.count));
    std::vector<bool> setNumbered(size_t(sets.count), false);
    QHash<QString, std::optional<QString>> newNames;
    for (size_t row = 0; row < selection.chosen.size(); ++row) {
        if (!selection.chosen[row]) continue;
        const QString &name = rows[qsizetype(row)];
        const int set = sets.setOfRow[row];
        if (set == PhotoSets::kNoSet) {
            const std::optional<QString> stem = numbered(name);
            newNames.insert(name, stem ? std::optional(WithExtension(*stem, extension)) : std::nullopt);
        } else if (!setNumbered[size_t(set)]) {
            setNumbered[size_t(set)] = true;
            setStems[size_t(set)] = numbered(name);
        }
    }
    for (size_t row = 0; row < selection.selected.size(); ++row) {
        const int set = sets.setOfRow[row];
        if (!selection.selected[row] || set == PhotoSets::kNoSet) continue;
        const QString &name = rows[qsizetype(row)];
        const std::optional<QString> &stem = setStems[size_t(set)];
        const QStringView tail = QStringView(name).mid(sets.stemLength[row]);
        newNames.insert(name, stem ? std::optional(*stem + respelled(tail, extension)) : std::nullopt);
    }
    return [newNames](const QString &oldName) { return newNames.value(oldName); };
}

void AlignFollowers(const SetSelection &selection, const QStringList &rows, AlignmentPlan &plan)
{
    const PhotoSets &sets = selection.sets;
    QHash<QString, QString> newNames;
    for (const AlignedName &rename : plan.renames) newNames.insert(rename.oldName, rename.newName);
    std::vector<qsizetype> leader(size_t(sets.count), -1);   // the first chosen member of each set
    std::vector<QString> newStems(size_t(sets.count));
    std::vector<bool> refused(size_t(sets.count), false);
    for (size_t row = 0; row < selection.chosen.size(); ++row) {
        const int set = sets.setOfRow[row];
        if (!selection.chosen[row] || set == PhotoSets::kNoSet || refused[size_t(set)]) continue;
        const QString &name = rows[qsizetype(row)];
        const QString newName = newNames.value(name, name);
        const QStringView tail = QStringView(name).mid(sets.stemLength[row]);
        // Zeros put into an extension leave the set no stem to share.
        if (!newName.endsWith(tail)) {
            refused[size_t(set)] = true;
            plan.refusals.add(name, newName, QCoreApplication::translate("PhotoSets", "番号が拡張子の中にあるため、同じ組のファイルをそろえられません"));
            continue;
        }
        const QString newStem = newName.chopped(tail.size());
        if (leader[size_t(set)] < 0) {
            leader[size_t(set)] = qsizetype(row);
            newStems[size_t(set)] = newStem;
        } else if (sets.key(newStem) != sets.key(newStems[size_t(set)])) {
            refused[size_t(set)] = true;
            plan.refusals.add(name, newName,
                              QCoreApplication::translate("PhotoSets", "同じ組の「%1」と番号の桁がそろいません")
                                  .arg(shownName(rows[leader[size_t(set)]])));
        }
    }
    for (size_t row = 0; row < selection.selected.size(); ++row) {
        const int set = sets.setOfRow[row];
        if (!selection.selected[row] || selection.chosen[row] || refused[size_t(set)]) continue;
        const QString &name = rows[qsizetype(row)];
        const qsizetype stemLength = sets.stemLength[row];
        const QString &newStem = newStems[size_t(set)];
        if (sets.key(QStringView(name).left(stemLength)) != sets.key(newStem))
            plan.renames.push_back({name, newStem + name.mid(stemLength)});
    }
}

}  // namespace nv
