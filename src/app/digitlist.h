// SPDX-License-Identifier: GPL-3.0-or-later
// The digit-count list of the main window. A click on the digit already
// selected changes no row, yet chooses that digit as much as a click on
// another: the window moves on from the list either way.
#pragma once

#include <QListWidget>

namespace nv {

class DigitList : public QListWidget {
    Q_OBJECT
public:
    using QListWidget::QListWidget;

signals:
    void selectedRowClicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
};

}  // namespace nv
