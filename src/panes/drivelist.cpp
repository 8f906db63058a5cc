// SPDX-License-Identifier: GPL-3.0-or-later
#include "panes/drivelist.h"

#include <QSignalBlocker>

#include <utility>

namespace nv {

DriveList::DriveList(Volumes &volumes, QWidget *parent) : QComboBox(parent), m_volumes(volumes)
{
    // A volume mounted under a long path with a long label does not widen the window.
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(12);
    refill();
    m_current = drive();
    connect(this, &QComboBox::currentIndexChanged, this, [this] {
        m_indexAtClose = -1;
        m_previous = m_current;
        m_current = drive();
        emit changed();
    });
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (index != std::exchange(m_indexAtClose, -1)) return;
        m_previous = m_current;   // giving up on it goes back to itself
        emit chosenAgain();
    });
}

QString DriveList::drive() const { return currentData().toString(); }

void DriveList::setDrive(const QString &path)
{
    const QString root = m_volumes.volumeOf(path);
    if (indexOfRoot(root) < 0) refill();
    const int index = indexOfRoot(root);
    if (index >= 0) setCurrentIndex(index);
}

void DriveList::restoreDrive(const QString &root)
{
    const QSignalBlocker blocker(this);
    setCurrentIndex(indexOfRoot(root));
    m_current = drive();
}

void DriveList::showPopup()
{
    refill();
    QComboBox::showPopup();
}

void DriveList::hidePopup()
{
    m_indexAtClose = currentIndex();
    QComboBox::hidePopup();
}

void DriveList::refill()
{
    const QSignalBlocker blocker(this);
    const QString chosen = count() > 0 ? drive() : kRootFolder;
    clear();
    for (const Volume &volume : m_volumes.volumes()) addItem(volume.entryText(), volume.root);
    const int index = indexOfRoot(chosen);
    setCurrentIndex(index >= 0 ? index : 0);
    m_current = drive();
}

int DriveList::indexOfRoot(const QString &root) const { return findData(root); }

}  // namespace nv
