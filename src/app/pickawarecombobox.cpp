#include "app/pickawarecombobox.h"

#include <QFocusEvent>
#include <QTimer>

namespace nv {

PickAwareComboBox::PickAwareComboBox(QWidget *parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    connect(this, &QComboBox::activated, this, [this] {
        m_picking = false;
        emit picked();
    });
}

void PickAwareComboBox::hidePopup()
{
    // The drop-down closes before it sets the picked text, so the flag is up
    // while the text changes; it drops with the activation, or at the next
    // turn of the event loop when the drop-down was closed without a pick.
    m_picking = true;
    QTimer::singleShot(0, this, [this] { m_picking = false; });
    QComboBox::hidePopup();
}

void PickAwareComboBox::focusInEvent(QFocusEvent *event)
{
    QComboBox::focusInEvent(event);
    // Closing the drop-down hands the focus back; that is no new visit.
    if (event->reason() != Qt::PopupFocusReason) emit focusReceived();
}

}  // namespace nv
