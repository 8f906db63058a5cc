// The one door to the operating system. Everything the program does to files,
// volumes, text files, message boxes and the mouse pointer goes through this
// interface, so that the rules can be exercised over a temporary folder with a
// scripted message box, and a port needs a new implementation and nothing else.
//
// Paths are QStrings. Folder paths always end in "/". Names that are not valid
// UTF-8 on disk are carried losslessly (see nativepath.h), so every operation
// reaches the exact bytes that the listing returned.
#pragma once

#include <QSize>
#include <QString>
#include <QStringList>
#include <vector>

class QImage;   // decoded pictures belong to the user-interface side

namespace nv {

// Why an operation failed, as far as its callers need to tell failures apart.
enum class FsFault {
    None,
    NotReady,   // the volume has no medium or does not answer (ENOMEDIUM, EIO, ...)
    Missing,    // the file or folder is not there (ENOENT, ENOTDIR)
    Exists,     // the new name is already taken (EEXIST)
    Changed,    // a file changed while it was being read
    NotPlainFile,   // a folder, a device, a pipe or a socket where a plain file was expected
    CannotLink,     // this file system, or this pair of folders, gives a file no second name
    Other,
};

struct FsStatus {
    FsFault fault = FsFault::None;
    QString reason;   // the system's own words, for messages that name the cause

    bool ok() const { return fault == FsFault::None; }
    static FsStatus success() { return {}; }
    static FsStatus failure(FsFault fault, const QString &reason) { return {fault, reason}; }
    static FsStatus fromErrno(int error);
};

template <typename T>
struct FsResult {
    T value{};
    FsStatus status;
    bool ok() const { return status.ok(); }
};

// What tells one version of a listed file from another without reading it.
// The change time is part of it because tools that rewrite a photo's metadata
// can set its modification time back, and the size may stay the same.
struct FileStamp {
    qint64 size = 0;
    qint64 modifiedNs = 0;   // nanoseconds since the epoch
    qint64 changedNs = 0;
    friend bool operator==(const FileStamp &, const FileStamp &) = default;
};

// One plain file of a folder listing.
struct FileEntry {
    QString name;          // name with extension, no folder
    qint64 modified = 0;   // seconds since the epoch; 0 when times were not asked for
    FileStamp stamp;       // all zero when times were not asked for
};

// When a photo was taken, as the texts of its EXIF fields DateTimeOriginal
// ("2023:05:01 10:00:00"), SubSecTimeOriginal ("25") and OffsetTimeOriginal
// ("+09:00"); each empty when the file does not have it.
struct CaptureTimeTexts {
    QString dateTime;
    QString subSeconds;
    QString offset;
};

// A mounted volume as the drive lists offer it.
struct Volume {
    QString root;    // mount point, ending in "/"
    QString label;   // may be empty

    QString entryText() const { return label.isEmpty() ? root : root + QLatin1Char(' ') + label; }
};

enum class MessageButtons { Ok, OkCancel, YesNoCancel };
enum class MessageIcon { None, Exclamation };
// Dismissed: a box without a Cancel button was closed with Escape or its close box.
enum class MessageAnswer { Ok, Cancel, Yes, No, Dismissed };

inline const QString kApplicationTitle = QStringLiteral("Norvanta2");

// Why a picture could not be loaded: content that the loader cannot read as a
// picture (the user is told), or anything else, such as a missing or unreadable
// file (passed over in silence).
enum class PictureFault { None, NotAPicture, Unreadable };

enum class RegistryRoot { LocalMachine };
enum class RegistryValueType { String, Other };
struct RegistryValue {
    RegistryValueType type = RegistryValueType::String;
    QByteArray bytes;   // as stored; a string usually ends in one zero byte
};

class Platform {
public:
    virtual ~Platform() = default;

    // --- folders and files ---------------------------------------------------
    // Plain files of a folder (regular files and links to them; names starting
    // with "." are hidden and left out), in name order (text/nameorder.h). With
    // withTimes false no time stamp is read at all.
    virtual FsResult<std::vector<FileEntry>> listPlainFiles(const QString &folder, bool withTimes) = 0;
    // Subfolders of a folder (links to folders included, hidden ones left out),
    // names only, in name order.
    virtual FsResult<QStringList> listSubfolders(const QString &folder) = 0;
    // Whether a folder can be opened and read.
    virtual FsStatus checkFolder(const QString &folder) = 0;
    // Creates a folder and every missing folder above it, each for the owner
    // alone (settings name the user's folders); an existing folder is success.
    virtual FsStatus makeFolder(const QString &folder) = 0;
    // True only for a plain file that is not hidden.
    virtual bool fileExists(const QString &path) = 0;
    // Gives the owner read and write permission, the nearest thing to clearing
    // the read-only, hidden, system and archive flags.
    virtual FsStatus setAttributesNormal(const QString &path) = 0;
    virtual FsStatus deleteFile(const QString &path) = 0;
    // Regional short date, a blank, the time as H:mm:ss without a time zone
    // (2023/11/15 7:13:20 in Japan); exactly midnight shows the date alone.
    virtual QString dateTimeText(qint64 secondsSinceEpoch) = 0;

    // --- volumes and the current folder of each --------------------------------
    virtual std::vector<Volume> volumes() = 0;
    // The root of the listed volume that holds the path (longest matching root).
    QString volumeOf(const QString &path);
    // The folder last made current on a volume in this run; its root at first.
    virtual QString currentFolderOf(const QString &volumeRoot) = 0;
    // Makes a folder the current folder of its volume.
    virtual void setCurrentFolder(const QString &folder) = 0;

    // --- text files -------------------------------------------------------------
    // Reads a whole text file: UTF-8 when it starts with a byte-order mark,
    // otherwise CP932.
    virtual FsResult<QString> readTextFile(const QString &path) = 0;
    // Writes a whole text file in CP932, or in UTF-8 with a byte-order mark when
    // CP932 cannot hold the text or would read it back as another text; through
    // a temporary file and a rename, so the old content survives any failure.
    virtual FsStatus writeTextFile(const QString &path, const QString &text) = 0;

    // --- the user interface -------------------------------------------------------
    // A modal box; an empty title stands for kApplicationTitle. The first button
    // is the default; Escape answers Cancel where there is one.
    virtual MessageAnswer showMessage(const QString &text, MessageButtons buttons, MessageIcon icon,
                                      const QString &title = QString()) = 0;
    virtual void setBusyPointer(bool busy) = 0;
    virtual void letEventsRun() = 0;

    // --- the files of a batch (the copy loop) --------------------------------------
    // Two names of one file (hard links, links, the same folder reached twice)
    // have equal identities. Not on every file system: FAT through FUSE gives
    // DSC001.JPG and DSC001.jpg, one file, two inode numbers.
    struct FileIdentity {
        quint64 device = 0;
        quint64 inode = 0;
        friend bool operator==(const FileIdentity &, const FileIdentity &) = default;
    };
    // A file as it stood at one moment: a later version with the same identity,
    // size and time is taken to hold the same bytes.
    struct FileVersion {
        FileIdentity identity;
        qint64 size = 0;
        qint64 modifiedNs = 0;      // nanoseconds since the epoch
        bool coarseTimes = false;   // its volume keeps times to 2 s only (FAT, exFAT, NTFS, FUSE)
    };
    enum class NameKind { Free, File, Other };
    // What a name in a folder leads to. Hidden names count; a link counts as
    // what it leads to; a folder, a dangling link or a device is Other.
    struct NameState {
        NameKind kind = NameKind::Free;
        FileIdentity identity;   // of the file, for File
    };
    struct FolderProbe {
        bool foldsLetterCase = false;    // the folder finds a name spelled in another letter case
        bool sameAsOther = false;        // the other folder is this very folder
        int maxNameLength = 255;         // the longest name the folder takes ...
        bool nameLengthInUtf16 = false;  // ... counted in UTF-16 units (FAT, exFAT, NTFS), else in bytes
    };
    // How a new file takes its name: never over an existing one (Exists when
    // the name is taken), or over whatever file holds it.
    enum class Landing { WithoutReplacing, Replacing };

    virtual FsResult<NameState> nameState(const QString &path) = 0;
    // The version of the file a path leads to (links followed).
    virtual FsResult<FileVersion> fileVersion(const QString &path) = 0;
    // Copies a plain file's bytes, permissions and times to target. The bytes
    // go to a temporary file in the target's folder, locked while it is
    // written, which is removed on every failure, so no half-written target or
    // stray file is ever left. Fails with NotPlainFile for anything but a plain
    // file (never waiting on a pipe), and with Changed when the source changed
    // while it was read. With durable, the copy is on the volume before it
    // takes its name. Gives the version of the source that was copied.
    virtual FsResult<FileVersion> copyFile(const QString &source, const QString &target, Landing landing,
                                           bool durable) = 0;
    // Gives a plain file (not a link) a second name, target, on the same file
    // system: no byte is copied. CannotLink when that is not possible here (no
    // hard links, another file system, too many links, not a plain file).
    // Gives the version of the linked file.
    virtual FsResult<FileVersion> linkFile(const QString &source, const QString &target, Landing landing) = 0;
    // Renames within one file system, never replacing: Exists when the new
    // name is taken, also where the system has no such rename of its own. The
    // digit alignment renames by it too.
    virtual FsStatus renameWithoutReplacing(const QString &from, const QString &to) = 0;
    virtual FsStatus renameReplacing(const QString &from, const QString &to) = 0;
    // Renames a file to a new hidden name in its folder that marks it as kept
    // (never removed by removeStaleTemporaries) and gives that name's path.
    virtual FsResult<QString> setAside(const QString &path) = 0;
    // Removes the temporary copies that a run killed part way left in a folder,
    // except those a running copy still holds. Failures pass in silence: the
    // files are hidden and harmless.
    virtual void removeStaleTemporaries(const QString &folder) = 0;
    // Finds out how a folder resolves names by creating a hidden probe file in
    // it, looking it up in another letter case and through the other folder,
    // and removing it again. Fails when no file can be created there.
    virtual FsResult<FolderProbe> probeFolder(const QString &folder, const QString &otherFolder) = 0;
    // Writes everything the system still holds in memory for the volume of a
    // folder to the volume, so a move deletes sources only once their copies
    // have landed.
    virtual FsStatus flushVolume(const QString &folder) = 0;

    // --- capture times (the capture-time order of the lists) -------------------------
    // The EXIF capture-time texts of a photo: JPEG, HEIC / AVIF (the EXIF block
    // inside the file) and whatever else the metadata library reads. A file
    // without them, or whose metadata cannot be read, gives empty texts.
    virtual CaptureTimeTexts readCaptureTime(const QString &path) = 0;

    // --- pictures, the desktop and the registry (thumbnail, about box) --------------
    // The natural size of a picture as shown, upright by its orientation (a
    // photo taken with the camera turned has its width and height swapped),
    // read from its header without decoding it. Whether a file is a picture is
    // told by its content, never by its name.
    virtual PictureFault readPictureSize(const QString &path, QSize &size) = 0;
    // Decodes a picture upright and straight at shownSize, so a large photo
    // costs only what the thumbnail box shows.
    virtual PictureFault loadPicture(const QString &path, const QSize &shownSize, QImage &picture) = 0;
    // Opens an address with the user's chosen program; a failure is not reported.
    virtual void openUrl(const QString &url) = 0;
    // Starts a program as a new process without waiting for it; false when it
    // could not be started.
    virtual bool startProgram(const QString &program) = 0;
    // The full path of a program found on the search path, or empty.
    virtual QString findProgram(const QString &name) = 0;
    // One value of the system registry; Missing when the key or the value is not
    // there (always, on systems without a registry).
    virtual FsResult<RegistryValue> readRegistryValue(RegistryRoot root, const QString &keyName,
                                                      const QString &valueName) = 0;
};

// Shows the busy pointer for the lifetime of the guard, on every way out.
class BusyPointer {
public:
    explicit BusyPointer(Platform &platform) : m_platform(platform) { m_platform.setBusyPointer(true); }
    ~BusyPointer() { m_platform.setBusyPointer(false); }
    BusyPointer(const BusyPointer &) = delete;
    BusyPointer &operator=(const BusyPointer &) = delete;

private:
    Platform &m_platform;
};

// Whether a file still is the version seen earlier: the same file, and for a
// copied file also the same size and time (to 2 s where the volume keeps no
// finer times). A file given a second name shares its bytes with that name, so
// for it the identity alone decides.
bool isSameVersion(const Platform::FileVersion &now, const Platform::FileVersion &then, bool sharesBytes);

// Joins a folder path (ending in "/") or a bare path with a name.
QString joinPath(const QString &folder, const QString &name);
// Appends "/" unless the path already ends in one.
QString withTrailingSlash(const QString &path);

}  // namespace nv
