// An editable combo box that tells a pick from its drop-down apart from typing
// and from text set by code. Qt reports all three as the same text change; the
// head-name field must refresh the preview for the last two only.
#pragma once

#include <QComboBox>

namespace nv {

class PickAwareComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit PickAwareComboBox(QWidget *parent = nullptr);

    // True while the text changes because the user picked an entry.
    bool isPicking() const { return m_picking; }

    void hidePopup() override;

signals:
    // The user picked an entry from the drop-down (after the text changed).
    void picked();
    void focusReceived();

protected:
    void focusInEvent(QFocusEvent *event) override;

private:
    bool m_picking = false;
};

}  // namespace nv
