// SPDX-License-Identifier: GPL-3.0-or-later
// A one-line label that never widens its window: a text longer than the label
// shows its start and its end with an ellipsis between, as both ends of a file
// name tell the most. text() stays the whole text.
#pragma once

#include <QLabel>

namespace nv {

class ElidingLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidingLabel(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

}  // namespace nv
