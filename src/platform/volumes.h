// The mounted volumes that the drive lists offer, and the folder each of them
// last had open in this run.
#pragma once

#include "platform/paths.h"

#include <vector>

namespace nv {

struct Volume {
    QString root;    // mount point, ending in "/"
    QString label;   // may be empty

    QString entryText() const { return label.isEmpty() ? root : root + QLatin1Char(' ') + label; }
};

class Volumes {
public:
    virtual ~Volumes() = default;

    virtual std::vector<Volume> volumes() = 0;
    // The root of the listed volume that holds the path (longest matching root).
    QString volumeOf(const QString &path);
    // The folder last made current on a volume in this run; its root at first.
    virtual QString currentFolderOf(const QString &volumeRoot) = 0;
    // Makes a folder the current folder of its volume.
    virtual void setCurrentFolder(const QString &folder) = 0;
};

}  // namespace nv
