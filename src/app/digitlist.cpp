// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/digitlist.h"

#include <QMouseEvent>

namespace nv {

void DigitList::mousePressEvent(QMouseEvent *event)
{
    const int before = currentRow();
    QListWidget::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && before >= 0 && indexAt(event->position().toPoint()).row() == before)
        emit selectedRowClicked();
}

}  // namespace nv
