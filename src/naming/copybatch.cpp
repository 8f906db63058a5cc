#include "naming/copybatch.h"

#include <QHash>

#include <algorithm>
#include <optional>

namespace nv {
namespace {

struct PlannedCopy {
    QString oldName;
    QString newName;
    bool copyStands = false;   // made by this run and not replaced by a later copy of it
};

bool isSelected(const CopyBatchRequest &request, qsizetype row)
{
    return row < qsizetype(request.selected.size()) && request.selected[size_t(row)];
}

bool isSingleFileName(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
           && !name.contains(QLatin1Char('/')) && !name.contains(QChar(0));
}

// A NUL character would cut the text of a message box short.
QString shown(QString name) { return name.replace(QChar(0), QChar(0x2400)); }

void tell(Platform &platform, const QString &text)
{
    platform.showMessage(text, MessageButtons::Ok, MessageIcon::Exclamation, kApplicationTitle);
}

// Every new name, made and checked before anything is copied; nullopt after
// telling the user when one cannot be used.
std::optional<std::vector<PlannedCopy>> planCopies(Platform &platform, const CopyBatchRequest &request)
{
    std::vector<PlannedCopy> plan;
    for (qsizetype row = 0; row < request.rows.size(); ++row) {
        if (!isSelected(request, row)) continue;
        const QString &oldName = request.rows[row];
        const std::optional<QString> newName = request.newName(oldName);
        if (!newName) {
            tell(platform, QStringLiteral("「%1」に付ける通し番号が 2147483647 を超えます。\n"
                                          "ファイルは一つもコピーしていません。").arg(shown(oldName)));
            return std::nullopt;
        }
        if (!isSingleFileName(*newName)) {
            tell(platform, QStringLiteral("「%1」の新しいファイル名「%2」は使えません。\n"
                                          "空の名前、「.」、「..」、「/」や NUL 文字を含む名前はファイル名になりません。\n"
                                          "ファイルは一つもコピーしていません。")
                               .arg(shown(oldName), shown(*newName)));
            return std::nullopt;
        }
        plan.push_back({oldName, *newName});
    }
    return plan;
}

class CopyRun {
public:
    CopyRun(Platform &platform, BatchProgress &progress, const CopyBatchRequest &request,
            std::vector<PlannedCopy> plan, const Platform::FolderProbe &destination)
        : m_platform(platform), m_progress(progress), m_request(request), m_plan(std::move(plan)),
          m_destination(destination)
    {
    }

    BatchEnd copyPass();
    // Deletes the sources whose copies stand, once the destination is flushed.
    BatchEnd deletionPass();

private:
    enum class Step { Next, Cancel, Fail };

    Step copyOne(size_t index);
    bool leavesAlone(const PlannedCopy &item);
    bool sameFile(const QString &source, const QString &target);
    void recordCopy(size_t index);
    bool deleteSource(const PlannedCopy &item);
    // The form in which the destination folder tells names apart.
    QString key(const QString &name) const
    {
        return m_destination.foldsLetterCase ? name.toCaseFolded() : name;
    }
    bool writtenByThisRun(const QString &sourceName) const
    {
        return m_destination.sameAsOther && m_writtenBy.contains(key(sourceName));
    }
    QString sourcePath(const PlannedCopy &item) const { return m_request.sourceFolder + item.oldName; }
    QString targetPath(const PlannedCopy &item) const { return m_request.destinationFolder + item.newName; }

    Platform &m_platform;
    BatchProgress &m_progress;
    const CopyBatchRequest &m_request;
    std::vector<PlannedCopy> m_plan;
    Platform::FolderProbe m_destination;
    QHash<QString, size_t> m_writtenBy;   // key of a name written in the destination -> its plan entry
};

BatchEnd CopyRun::copyPass()
{
    const int rowCount = int(m_request.rows.size());
    m_progress.show(rowCount);
    size_t next = 0;
    for (int row = 0; row < rowCount; ++row) {
        if (isSelected(m_request, row)) {
            const Step step = copyOne(next++);
            if (step == Step::Cancel) return BatchEnd::Cancelled;
            if (step == Step::Fail) return BatchEnd::Failed;
        }
        m_progress.setPosition(row + 1);
    }
    return BatchEnd::Normal;
}

CopyRun::Step CopyRun::copyOne(size_t index)
{
    const PlannedCopy &item = m_plan[index];
    if (leavesAlone(item)) return Step::Next;
    const QString target = targetPath(item);
    if (m_request.askOnExisting && m_platform.fileExists(target)) {
        const MessageAnswer answer = m_platform.showMessage(
            item.newName + QStringLiteral("と同名のファイルが存在します。上書きしますか？"),
            MessageButtons::YesNoCancel, MessageIcon::Exclamation, kApplicationTitle);
        if (answer == MessageAnswer::No) return Step::Next;
        if (answer != MessageAnswer::Yes) return Step::Cancel;
    }
    const FsStatus status = m_platform.copyFile(sourcePath(item), target);
    if (!status.ok()) {
        tell(m_platform, QStringLiteral("「%1」を「%2」にコピーできませんでした。\n%3\n処理を中止しました。")
                             .arg(shown(sourcePath(item)), shown(target), status.reason));
        return Step::Fail;
    }
    recordCopy(index);
    return Step::Next;
}

// A source that is its own target, or that an earlier copy of this run has
// already replaced, has nothing left to copy and must not be deleted.
bool CopyRun::leavesAlone(const PlannedCopy &item)
{
    if (m_destination.sameAsOther) {
        if (writtenByThisRun(item.oldName)) return true;
        if (key(item.oldName) == key(item.newName)) return true;
    }
    return sameFile(sourcePath(item), targetPath(item));
}

bool CopyRun::sameFile(const QString &source, const QString &target)
{
    const FsResult<Platform::FileIdentity> targetIdentity = m_platform.fileIdentity(target);
    if (!targetIdentity.ok()) return false;
    const FsResult<Platform::FileIdentity> sourceIdentity = m_platform.fileIdentity(source);
    return sourceIdentity.ok() && sourceIdentity.value == targetIdentity.value;
}

void CopyRun::recordCopy(size_t index)
{
    const QString written = key(m_plan[index].newName);
    const auto earlier = m_writtenBy.constFind(written);
    if (earlier != m_writtenBy.cend()) m_plan[*earlier].copyStands = false;   // its copy has just been replaced
    m_writtenBy.insert(written, index);
    m_plan[index].copyStands = true;
}

BatchEnd CopyRun::deletionPass()
{
    const auto deletable = [this](const PlannedCopy &item) {
        return item.copyStands && !writtenByThisRun(item.oldName);
    };
    if (std::none_of(m_plan.begin(), m_plan.end(), deletable)) return BatchEnd::Normal;
    const FsStatus flushed = m_platform.flushVolume(m_request.destinationFolder);
    if (!flushed.ok()) {
        tell(m_platform, QStringLiteral("コピー先「%1」への書き込みを確かめられませんでした。\n%2\n"
                                        "元のファイルは一つも削除していません。")
                             .arg(shown(m_request.destinationFolder), flushed.reason));
        return BatchEnd::Failed;
    }
    for (const PlannedCopy &item : m_plan) {
        if (deletable(item) && !deleteSource(item)) return BatchEnd::Failed;
    }
    return BatchEnd::Normal;
}

bool CopyRun::deleteSource(const PlannedCopy &item)
{
    const QString source = sourcePath(item);
    // Clearing the attributes only helps the deletion along; file systems that
    // keep no permissions (FAT through FUSE) refuse it and delete all the same,
    // so the deletion alone decides.
    m_platform.setAttributesNormal(source);
    const FsStatus status = m_platform.deleteFile(source);
    if (status.ok()) return true;
    tell(m_platform, QStringLiteral("「%1」を削除できませんでした。\n%2\n処理を中止しました。")
                         .arg(shown(source), status.reason));
    return false;
}

}  // namespace

BatchEnd CopyBatch(Platform &platform, BatchProgress &progress, const CopyBatchRequest &request)
{
    std::optional<std::vector<PlannedCopy>> plan = planCopies(platform, request);
    if (!plan) return BatchEnd::Failed;
    Platform::FolderProbe destination;
    if (!plan->empty()) {
        const FsResult<Platform::FolderProbe> probe =
            platform.probeFolder(request.destinationFolder, request.sourceFolder);
        if (!probe.ok()) {
            tell(platform, QStringLiteral("コピー先のフォルダ「%1」にファイルを作れません。\n%2\n"
                                          "ファイルは一つもコピーしていません。")
                               .arg(shown(request.destinationFolder), probe.status.reason));
            return BatchEnd::Failed;
        }
        destination = probe.value;
    }
    CopyRun run(platform, progress, request, std::move(*plan), destination);
    BatchEnd end = run.copyPass();
    if (end == BatchEnd::Normal && request.move) end = run.deletionPass();
    if (end == BatchEnd::Normal) progress.hide();
    return end;
}

}  // namespace nv
