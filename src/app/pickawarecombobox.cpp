// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pickawarecombobox.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QScopedValueRollback>

namespace nv {

PickAwareComboBox::PickAwareComboBox(QWidget *parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // Qt's completion would turn a typed CASE into a listed case, or complete
    // mo to move.
    setCompleter(nullptr);
    // Sized by setMinimumContentsLength: a long entry does not widen the window.
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    // Leaving the field would select the entry that matches the typed text and
    // report it as a pick, which moves the focus away from where the user went.
    disconnect(lineEdit(), &QLineEdit::editingFinished, this, nullptr);
    connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0 && !m_stepping) emit chosen();
    });
    // A pick of the entry already selected changes no index, yet is a choice.
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (!m_stepping && index == m_indexAtPopup) emit chosen();
    });
}

void PickAwareComboBox::showPopup()
{
    m_indexAtPopup = currentIndex();
    QComboBox::showPopup();
}

void PickAwareComboBox::focusInEvent(QFocusEvent *event)
{
    QComboBox::focusInEvent(event);
    // Closing the drop-down hands the focus back; that is no new visit.
    if (event->reason() != Qt::PopupFocusReason) emit focusReceived();
}

void PickAwareComboBox::keyPressEvent(QKeyEvent *event)
{
    const QScopedValueRollback stepping(m_stepping, true);
    QComboBox::keyPressEvent(event);
}

void PickAwareComboBox::wheelEvent(QWheelEvent *event)
{
    const QScopedValueRollback stepping(m_stepping, true);
    QComboBox::wheelEvent(event);
}

}  // namespace nv
