// SPDX-License-Identifier: GPL-3.0-or-later
// An editable combo box that tells the choice of an entry apart from typing.
// An entry is chosen by a pick from the open drop-down (the entry already
// shown included) or by code selecting it; typing, stepping through the
// entries with the keys or the wheel of the closed box, and leaving the field
// are no choice, even when the typed text matches an entry. It also reports
// each new visit of the box (which refills the drop-down), and completes
// nothing: what the user types is what is used.
#pragma once

#include <QComboBox>

namespace nv {

class PickAwareComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit PickAwareComboBox(QWidget *parent = nullptr);

    void showPopup() override;

signals:
    // An entry was chosen (after the text changed).
    void chosen();
    void focusReceived();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    bool m_stepping = false;
    int m_indexAtPopup = -1;
};

}  // namespace nv
