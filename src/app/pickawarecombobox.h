// An editable combo box that reports a pick from its drop-down apart from
// typing and from text set by code (a pick moves the focus on), and each new
// visit of the box (which refills the drop-down). It completes nothing: what
// the user types is what is used.
#pragma once

#include <QComboBox>

namespace nv {

class PickAwareComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit PickAwareComboBox(QWidget *parent = nullptr);

signals:
    // The user picked an entry from the drop-down (after the text changed).
    void picked();
    void focusReceived();

protected:
    void focusInEvent(QFocusEvent *event) override;
};

}  // namespace nv
