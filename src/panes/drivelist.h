// SPDX-License-Identifier: GPL-3.0-or-later
// The drive list of a pane: the mounted volumes, each shown as its root and
// its label, read again each time the list opens. Choosing another entry, by
// the user or from code, emits changed(); the user choosing the entry that is
// chosen already emits chosenAgain().
#pragma once

#include "platform/volumes.h"

#include <QComboBox>

namespace nv {

class DriveList : public QComboBox {
    Q_OBJECT
public:
    DriveList(Volumes &volumes, QWidget *parent = nullptr);

    // The root of the chosen volume, ending in "/".
    QString drive() const;
    // Chooses the volume that holds path; emits changed() when that is another one.
    void setDrive(const QString &path);
    // The volume chosen before the last change.
    QString previousDrive() const { return m_previous; }
    // Goes back to a volume without emitting changed(): used when the user
    // gives up on a volume that is not ready.
    void restoreDrive(const QString &root);

    void showPopup() override;
    void hidePopup() override;

signals:
    void changed();
    void chosenAgain();

private:
    Volumes &m_volumes;
    QString m_current;
    QString m_previous;
    // The entry chosen when the list last closed, until the choice changes:
    // a choice from the list closes it first, so an activation of this entry
    // changed nothing.
    int m_indexAtClose = -1;

    // Reads the volumes again (a card may have been inserted), keeping the choice.
    void refill();
    int indexOfRoot(const QString &root) const;
};

}  // namespace nv
