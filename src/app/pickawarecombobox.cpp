#include "app/pickawarecombobox.h"

#include <QFocusEvent>

namespace nv {

PickAwareComboBox::PickAwareComboBox(QWidget *parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // Qt's completion would turn a typed CASE into a listed case, or complete
    // mo to move.
    setCompleter(nullptr);
    connect(this, &QComboBox::activated, this, &PickAwareComboBox::picked);
}

void PickAwareComboBox::focusInEvent(QFocusEvent *event)
{
    QComboBox::focusInEvent(event);
    // Closing the drop-down hands the focus back; that is no new visit.
    if (event->reason() != Qt::PopupFocusReason) emit focusReceived();
}

}  // namespace nv
