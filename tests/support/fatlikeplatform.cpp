// SPDX-License-Identifier: GPL-3.0-or-later
#include "fatlikeplatform.h"

#include "platform/nativepath.h"

#include <QDir>

#include <sys/stat.h>
#include <unistd.h>

namespace nv {

QString FatLikePlatform::found(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const QString name = path.mid(slash + 1);
    const QStringList entries =
        QDir(path.left(slash + 1)).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0) return path.left(slash + 1) + entry;
    }
    return path;
}

bool FatLikePlatform::taken(const QString &path)
{
    struct stat info {};
    return ::lstat(toNativeName(found(path)).constData(), &info) == 0;
}

FileIdentity FatLikePlatform::spelledIdentity(FileIdentity identity, const QString &path)
{
    if (found(path) != path) identity.inode ^= quint64(1) << 62;
    return identity;
}

FsResult<BatchFiles::NameState> FatLikePlatform::nameState(const QString &path)
{
    FsResult<NameState> state = TestPlatform::nameState(found(path));
    state.value.identity = spelledIdentity(state.value.identity, path);
    return state;
}

FsResult<FileVersion> FatLikePlatform::fileVersion(const QString &path)
{
    FsResult<FileVersion> version = TestPlatform::fileVersion(found(path));
    version.value.identity = spelledIdentity(version.value.identity, path);
    version.value.coarseTimes = true;
    return version;
}

// Lands as a card does: never over a name taken in any letter case, and a
// replaced file goes in its old spelling.
class FatLikePlatform::WrittenCopyOnCard : public WrittenCopy {
public:
    explicit WrittenCopyOnCard(std::unique_ptr<WrittenCopy> copy) : m_copy(std::move(copy)) {}
    FileVersion source() const override { return m_copy->source(); }
    FsStatus land(const QString &target, Landing landing) override
    {
        const QString holder = found(target);
        if (landing == Landing::WithoutReplacing && taken(target)) return FsStatus::fromErrno(EEXIST);
        const FsStatus landed = m_copy->land(target, landing);
        if (landed.ok() && holder != target) ::unlink(toNativeName(holder).constData());
        return landed;
    }

private:
    std::unique_ptr<WrittenCopy> m_copy;
};

FsResult<std::unique_ptr<BatchFiles::WrittenCopy>> FatLikePlatform::writeCopy(const QString &source,
                                                                             const QString &target,
                                                                             Durability durability,
                                                                             const KeepCopying &keepGoing)
{
    FsResult<std::unique_ptr<WrittenCopy>> written = TestPlatform::writeCopy(found(source), target, durability, keepGoing);
    if (written.ok()) written.value = std::make_unique<WrittenCopyOnCard>(std::move(written.value));
    return written;
}

FsResult<FileVersion> FatLikePlatform::linkFile(const QString &, const QString &target, Landing)
{
    const FsResult<FileVersion> refused{{}, {FsFault::CannotLink, "no hard links"}};
    return run(Operation::Link, target, [&] { return refused; });
}

FsStatus FatLikePlatform::renameWithoutReplacing(const QString &from, const QString &to)
{
    if (taken(to)) return FsStatus::fromErrno(EEXIST);
    return TestPlatform::renameWithoutReplacing(found(from), to);
}

FsStatus FatLikePlatform::renameReplacing(const QString &from, const QString &to)
{
    const QString source = found(from);
    const QString holder = found(to);
    if (holder == source) return TestPlatform::renameReplacing(source, source);   // vfat keeps the old spelling
    if (holder != to) ::unlink(toNativeName(holder).constData());
    return TestPlatform::renameReplacing(source, to);
}

FsStatus FatLikePlatform::setAside(const QString &path, const QString &keptPath)
{
    return TestPlatform::setAside(found(path), keptPath);
}

FsStatus FatLikePlatform::setAttributesNormal(const QString &path)
{
    return TestPlatform::setAttributesNormal(found(path));
}

FsStatus FatLikePlatform::deleteFile(const QString &path) { return TestPlatform::deleteFile(found(path)); }

FsResult<BatchFiles::FolderProbe> FatLikePlatform::probeFolder(const QString &folder, const QString &otherFolder)
{
    FsResult<FolderProbe> probe = TestPlatform::probeFolder(folder, otherFolder);
    probe.value.foldsLetterCase = true;
    probe.value.nameLengthInUtf16 = true;
    probe.value.maxNameLength = 255;
    return probe;
}

FsResult<VolumeFacts> FatLikePlatform::volumeFacts(const QString &folder)
{
    FsResult<VolumeFacts> facts = TestPlatform::volumeFacts(folder);
    facts.value.stableInodes = false;
    facts.value.foldsLetterCase = true;
    return facts;
}

}  // namespace nv
